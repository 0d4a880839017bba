#include "app/SampleText.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace lexipulse {

namespace {

// The first twelve lines show individual rules, the dynamic stress of one stem and invented
// words; the rest is a short news story. Lines 4, 6, 9 and 10 end with a space on purpose.
constexpr std::array<std::u16string_view, 30> kSampleLines = {
    u"Example 0 --- individual words",
    u"Cameroon, kangaroo, Senegalese, Congolese, Japanese, Polish, Bulgarian, Romanian, "
    u"Scottish, laboratory, classified, psicattosis, otitis, senator, senate, confiscate",
    u"--- dynamic stress",
    u"photograph photographer photographical ",
    u"--- non existent words",
    u"*Balaroon, *tarabese, *hibalescent, *puberatory, *galacoxity, *disentity. ",
    u"Example 1 ---",
    u"All absentees had to produce a medical certificate signed by the physician.",
    u"The traditional American physicist never quite agreed with those terrestrial ",
    u"regulations. He started a ferocious demonstration which was ultimately ",
    u"refereed by both the Senate and the Establishment at large.",
    u"Example 2 ---",
    u"Council Approves Ambitious Riverside Regeneration Programme",
    u"After months of heated negotiation, the municipal council voted on Tuesday",
    u"evening to approve a controversial regeneration programme for the derelict",
    u"industrial riverside, ending a dispute that had divided the neighbourhood.",
    u"The development, estimated to cost several hundred million dollars, promises",
    u"affordable apartments, a botanical garden and an independent public library.",
    u"\u201CThis is a remarkable opportunity for the entire metropolitan area,\u201D said",
    u"the mayor, who described the agreement as \u201Cgenerous, realistic and overdue.\u201D",
    u"Opponents remained sceptical. Environmental organisations warned that the",
    u"construction would threaten a fragile population of migratory birds, and",
    u"residents criticised the \u2018unnecessarily secretive\u2019 public consultation.",
    u"An independent commission will now examine the financial arrangements, and",
    u"the engineering consortium\u2019s preliminary assessments are to be published.",
    u"Economists at the regional university calculated that the programme could",
    u"create approximately four thousand permanent positions within a decade.",
    u"\u201CWe are cautiously optimistic,\u201D admitted a spokeswoman for the chamber",
    u"of commerce. \u201CBut the timetable is extraordinarily demanding.\u201D",
    u"Demolition of the abandoned warehouses is expected to begin in February.",
};

std::u16string JoinSampleLines() {
  std::u16string text;
  for (std::size_t i = 0; i < kSampleLines.size(); ++i) {
    if (i > 0) {
      text += u"\r\n";
    }
    text += kSampleLines[i];
  }
  return text;
}

}  // namespace

const std::u16string& SampleText() {
  static const std::u16string kText = JoinSampleLines();
  return kText;
}

}  // namespace lexipulse
