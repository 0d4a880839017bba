// The Stressing menu: the order words are stressed in, the pronunciation, and Stop; and the
// options of the next run, which the View menu's choices of notation join.
#include <QAction>

#include "app/uLexipulse.h"

namespace lexipulse {

TStressOptions TfLexipulse::Options() const {
  TStressOptions options;
  options.Order = mnDictionaryFirst->isChecked() ? TStressingOrder::DictionaryFirst
                                                 : TStressingOrder::RulesFirst;
  options.Variant = mnBritish->isChecked() ? TVariant::British : TVariant::American;
  options.Style = mnAccents->isChecked()     ? TNotationStyle::Accents
                  : mnHighlight->isChecked() ? TNotationStyle::Highlight
                                             : TNotationStyle::Classic;
  options.Secondary = mnSecondaryBefore->isChecked() ? TSecondaryStress::BeforePrimary
                      : mnSecondaryAll->isChecked()  ? TSecondaryStress::All
                                                     : TSecondaryStress::None;
  return options;
}

// The run ends at its next event pump; the result keeps the lines done by then.
void TfLexipulse::mnStopClick() {
  if (RunDepth() > 0) {
    _StopRequested = true;
  }
}

}  // namespace lexipulse
