#include <array>

#include "engine/uStressRules.h"

namespace lexipulse {

namespace {

using TRule = TWordToStress::TRule;

constexpr std::array<TRule, 6> kUltimateChain = {&TWordToStress::doFirstSyllableGreekRule,
                                                 &TWordToStress::doGreekRule,
                                                 &TWordToStress::doCameroonRule,
                                                 &TWordToStress::doFrenchRule,
                                                 &TWordToStress::doChineseRule,
                                                 &TWordToStress::doDescendRule};

constexpr std::array<TRule, 9> kPenUltimateChain = {
    &TWordToStress::doPriorityRule,  &TWordToStress::doClassifiedRule,
    &TWordToStress::doBulgarianRule, &TWordToStress::doPolishRule,
    &TWordToStress::doSpectatorRule, &TWordToStress::doPsittacosisRule,
    &TWordToStress::doAnemiaRule,    &TWordToStress::doOratoryRule,
    &TWordToStress::doMementoRule};

constexpr std::array<TRule, 5> kAntePenUltimateChain = {
    &TWordToStress::doTranscendentalRule, &TWordToStress::doVolubleRule,
    &TWordToStress::doPestiferousRule, &TWordToStress::doSenescenceRule,
    &TWordToStress::doDistributiveRule};

}  // namespace

// The rule tables of the three chains; each rule is tried in the order listed.
std::span<const TWordToStress::TRule> UltimateChain() { return kUltimateChain; }
std::span<const TWordToStress::TRule> PenUltimateChain() { return kPenUltimateChain; }
std::span<const TWordToStress::TRule> AntePenUltimateChain() { return kAntePenUltimateChain; }

}  // namespace lexipulse
