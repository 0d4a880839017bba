#include <gtest/gtest.h>

#include <string>

#include "engine/Dictionary.h"
#include "engine/Notation.h"
#include "engine/NotationTable.h"
#include "pattern/Utf.h"

namespace lexipulse {
namespace {

// Accents is a lowercased run as the accents style writes it under the options.
std::string Accents(const std::u16string& run, TStressOptions options) {
  options.Style = TNotationStyle::Accents;
  std::u16string text = run;
  ApplyAccents(text, NoteRun(run, options).Letters);
  return Utf16ToUtf8(text);
}

class SecondaryBritishTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { LoadDictionary(); }
};

// Secondary stress, checked by hand against the usual American respellings: with =all every
// secondary stress is marked; by default only those before the primary.
TEST_F(SecondaryBritishTest, SecondaryStressComesFromTheStressLevelsTable) {
  const struct {
    const char16_t* Run;
    const char* All;
    const char* Before;
  } kCases[] = {
      {u"photographic", "phòtográphic", "phòtográphic"},
      {u"examination", "exàminátion", "exàminátion"},
      {u"understand", "ùnderstánd", "ùnderstánd"},
      {u"information", "ìnformátion", "ìnformátion"},
      {u"education", "èducátion", "èducátion"},
      {u"communication", "commùnicátion", "commùnicátion"},
      {u"organization", "òrganizátion", "òrganizátion"},
      {u"university", "ùnivérsity", "ùnivérsity"},
      {u"independent", "ìndepéndent", "ìndepéndent"},
      {u"conversation", "cònversátion", "cònversátion"},
      {u"recommend", "rècomménd", "rècomménd"},
      {u"entertainment", "èntertáínment", "èntertáínment"},
      {u"afternoon", "àfternóón", "àfternóón"},
      {u"kangaroo", "kàngaróó", "kàngaróó"},
      {u"cigarette", "cìgarétte", "cìgarétte"},
      {u"guarantee", "guàrantéé", "guàrantéé"},
      {u"volunteer", "vòluntéér", "vòluntéér"},
      {u"japanese", "jàpanése", "jàpanése"},
      {u"personality", "pèrsonálity", "pèrsonálity"},
      {u"opportunity", "òpportúnity", "òpportúnity"},
      {u"individual", "ìndivídual", "ìndivídual"},
      {u"pronunciation", "pronùnciátion", "pronùnciátion"},
      {u"celebration", "cèlebrátion", "cèlebrátion"},
      {u"demonstration", "dèmonstrátion", "dèmonstrátion"},
      {u"competition", "còmpetítion", "còmpetítion"},
      {u"academic", "àcadémic", "àcadémic"},
      {u"economic", "èconómic", "èconómic"},
      {u"scientific", "scìentífic", "scìentífic"},
      {u"characteristic", "chàracterístic", "chàracterístic"},
      {u"nevertheless", "nèvertheléss", "nèvertheléss"},
      {u"misunderstand", "mìsunderstánd", "mìsunderstánd"},
      {u"administration", "admìnistrátion", "admìnistrátion"},
      {u"appreciation", "apprèciátion", "apprèciátion"},
      // Secondary stress after the primary shows with =all only.
      {u"photograph", "phótogràph", "phótograph"},
      {u"telephone", "télephòne", "télephone"},
      {u"dictionary", "díctionàry", "díctionary"},
      {u"territory", "térritòry", "térritory"},
      {u"magazine", "mágazìne", "mágazine"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(Utf16ToUtf8(c.Run));
    EXPECT_EQ(Accents(c.Run, {.Secondary = TSecondaryStress::All}), c.All);
    EXPECT_EQ(Accents(c.Run, {.Secondary = TSecondaryStress::BeforePrimary}), c.Before);
  }
}

TEST_F(SecondaryBritishTest, SecondaryStressIsLeftOutWhereTheRulesStressAnotherSyllable) {
  // The rules stress laboratory on its second syllable, CMU on its first; CMU's secondary
  // stress belongs to its own primary and is not shown beside the rule's.
  EXPECT_EQ(Accents(u"laboratory", {.Secondary = TSecondaryStress::All}), "labóratory");
  EXPECT_EQ(Utf16ToUtf8(NoteRun(u"laboratory", {.Secondary = TSecondaryStress::All}).Classic),
            "lab\u00D3ratory");
}

// British and American pairs, the British form checked by hand against British dictionaries;
// the American one is what the program gives by default.
TEST_F(SecondaryBritishTest, TheBritishTableOverridesTheWordsWhoseStressDiffers) {
  const struct {
    const char16_t* Run;
    const char* American;
    const char* British;
  } kCases[] = {
      {u"address", "áddress", "addréss"},
      {u"adidas", "adídas", "ádidas"},
      {u"adverse", "advérse", "ádverse"},
      {u"ancillary", "áncillary", "ancíllary"},
      {u"ballet", "ballét", "bállet"},
      {u"brochure", "brochúre", "bróchure"},
      {u"bucharest", "búcharest", "bucharést"},
      {u"caffeine", "cafféíne", "cáffeine"},
      {u"capillary", "cápillary", "capíllary"},
      {u"caribbean", "caríbbean", "caribbéan"},
      {u"cliche", "cliché", "clíche"},
      {u"composite", "compósite", "cómposite"},
      {u"crochet", "crochét", "cróchet"},
      {u"debris", "debrís", "débris"},
      {u"debut", "debút", "début"},
      {u"decade", "decáde", "décade"},
      {u"decor", "decór", "décor"},
      {u"diagnose", "diagnóse", "díagnose"},
      {u"excess", "éxcess", "excéss"},
      {u"finance", "finánce", "fínance"},
      {u"frustrate", "frústrate", "frustráte"},
      {u"garage", "garáge", "gárage"},
      {u"headquarters", "héádquarters", "headquárters"},
      {u"helsinki", "hélsinki", "helsínki"},
      {u"inverness", "ínverness", "invernéss"},
      {u"islam", "islám", "íslam"},
      {u"kilometre", "kilómetre", "kílometre"},
      {u"massif", "massíf", "mássif"},
      {u"migrate", "mígrate", "migráte"},
      {u"mutate", "mútate", "mutáte"},
      {u"narrator", "nárrator", "narrátor"},
      {u"omega", "oméga", "ómega"},
      {u"oregano", "orégano", "oregáno"},
      {u"orangutan", "orángutan", "orangután"},
      {u"participle", "párticiple", "partíciple"},
      {u"pecan", "pecán", "pécan"},
      {u"perfume", "perfúme", "pérfume"},
      {u"portuguese", "portúguese", "portuguése"},
      {u"primarily", "primárily", "prímarily"},
      {u"puree", "puréé", "púree"},
      {u"renaissance", "renaissánce", "renáíssance"},
      {u"researcher", "résearcher", "reséárcher"},
      {u"resource", "résource", "resóúrce"},
      {u"rotate", "rótate", "rotáte"},
      {u"spectator", "spéctator", "spectátor"},
      {u"temporarily", "temporárily", "témporarily"},
      {u"vaccine", "vaccíne", "váccine"},
      {u"valet", "valét", "válet"},
      // The table's radicals take the endings of the suffix split.
      {u"garages", "garáges", "gárages"},
      {u"ballets", "balléts", "bállets"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(Utf16ToUtf8(c.Run));
    EXPECT_EQ(Accents(c.Run, {}), c.American);
    EXPECT_EQ(Accents(c.Run, {.Variant = TVariant::British}), c.British);
    EXPECT_TRUE(NoteRun(c.Run, {.Variant = TVariant::British}).British);
  }
}

TEST_F(SecondaryBritishTest, TheBritishTableLoadsAndLeavesOtherWordsAlone) {
  const TNotationTable& table = BritishTable();
  EXPECT_GT(table.Size(), 50u);
  EXPECT_EQ(table.Find(u"garage").value_or(u"?"), u"g\u00C1rage");
  // The hand check gives laboratory, whose British stressed vowel CMU does not have.
  EXPECT_EQ(table.Find(u"laboratory").value_or(u"?"), u"lab\u00D3ratory");
  // Heteronyms that the two sources list in another part of speech are not in the table.
  for (const char16_t* left : {u"record", u"present", u"object", u"idea", u"photograph"}) {
    EXPECT_FALSE(table.Find(left).has_value()) << Utf16ToUtf8(left);
    const TRunNotation british = NoteRun(left, {.Variant = TVariant::British});
    EXPECT_FALSE(british.British);
    EXPECT_EQ(british.Classic, NoteRun(left, {}).Classic);
  }
  // The classic style shows the British primary stress as the dictionary shows stress.
  EXPECT_EQ(Utf16ToUtf8(NoteRun(u"garage", {.Variant = TVariant::British}).Classic), "g\u00C1rage");
  EXPECT_EQ(Utf16ToUtf8(NoteRun(u"aberdeen", {.Variant = TVariant::British}).Classic),
            "aberd\u00C9\u00C9n");
  EXPECT_EQ(Utf16ToUtf8(NoteRun(u"aberdeen", {.Secondary = TSecondaryStress::BeforePrimary,
                                              .Variant = TVariant::British})
                            .Classic),
            "\u00E0berd\u00C9\u00C9n");
}

}  // namespace
}  // namespace lexipulse
