#pragma once

#include <cstdint>
#include <string>

namespace lexipulse {

// TTemplateSource is what a replacement template refers to: the groups of the match (group 0
// being the whole match), named groups, the subject and its parts left and right of the match,
// all as UTF-8.
class TTemplateSource {
 public:
  virtual ~TTemplateSource() = default;
  virtual int GroupCount() const = 0;
  virtual std::string Group(int n) const = 0;
  // NamedGroupNumber is the number of the group of that name, or a negative number.
  virtual int NamedGroupNumber(const std::string& name) const = 0;
  virtual std::string Left() const = 0;
  virtual std::string Right() const = 0;
  virtual std::string Subject() const = 0;
};

// ExpandReplacementTemplate expands a replacement template against a match:
//   $n, $nn, ${n}, ${name}, \n, \nn, \g<name>  group n (nn only while it names a group), or
//                                             nothing for a group that does not exist
//   $& and \&, $+ and \+                      the whole match, the highest group
//   $` and \`, $' and \'                      the subject left and right of the match
//   $_                                        the whole subject
//   \U \L \F \I (or lowercase) + digits       the group upper-, lower-, first- or title-cased
//   $$, \\, \$                                a literal $ or backslash
// Inserted text is never expanded again; anything else, a lone trailing $ or backslash
// included, stays as written. Numbers in ${n} stop growing past maxGroups.
std::string ExpandReplacementTemplate(const std::string& text, const TTemplateSource& source,
                                      std::uint32_t maxGroups);

}  // namespace lexipulse
