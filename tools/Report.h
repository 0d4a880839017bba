#pragma once

#include <string>

#include "tools/Agreement.h"
#include "tools/CmuSource.h"
#include "tools/Generator.h"

namespace lexipulse {

// GenerationReport describes a generation in plain text: the source, the figures of the data,
// the stem keys, the agreement of the suffix split with the words' own marks (computed from
// the lines), and every word left without a line, by reason. The same generation gives the
// same text.
std::string GenerationReport(const TCmuSource& source, const TGeneration& generation,
                             const std::string& data);

// AgreementReport describes a check of the words against the dictionary step, under a title.
std::string AgreementReport(const std::string& title, const TAgreementReport& report);

}  // namespace lexipulse
