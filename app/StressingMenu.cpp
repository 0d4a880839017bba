// The Stressing menu: the order words are stressed in, and Stop.
#include <QAction>

#include "app/uLexipulse.h"

namespace lexipulse {

TStressOptions TfLexipulse::Options() const {
  TStressOptions options;
  options.Order = mnDictionaryFirst->isChecked() ? TStressingOrder::DictionaryFirst
                                                 : TStressingOrder::RulesFirst;
  return options;
}

// The run ends at its next event pump; the result keeps the lines done by then.
void TfLexipulse::mnStopClick() {
  if (RunDepth() > 0) {
    _StopRequested = true;
  }
}

}  // namespace lexipulse
