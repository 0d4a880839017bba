#include "cli/CommandLine.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "cli/Escape.h"

namespace lexipulse {

namespace {

constexpr char kUsage[] =
    "Usage: lexipulse-cli [OPTION]... [FILE]...\n"
    "  or:  lexipulse-cli [OPTION]... --explain [WORD]...\n"
    "Mark the lexical stress of the English words in FILEs (UTF-8 text, read in order as one\n"
    "text) and write the stressed text to standard output. With no FILE, or when FILE is -,\n"
    "read standard input. Line endings come back as they went in.\n"
    "\n"
    "Options:\n"
    "  -o, --output FILE    write to FILE instead of standard output; FILE may be one of the\n"
    "                       inputs. As with sed -i, FILE is replaced by a new file once the\n"
    "                       whole result is written: a hard link elsewhere keeps the old\n"
    "                       content; owner and group are kept where allowed, set-user-ID and\n"
    "                       set-group-ID bits are dropped. A symbolic link is followed only\n"
    "                       where the system would follow it for a shell's >, never into a\n"
    "                       file of another user from a shared sticky folder such as /tmp\n"
    "  --explain [WORD]...  tell how each WORD (or each line of standard input) is stressed\n"
    "  --prefer-dictionary  look words up in the dictionary first, whole and then without\n"
    "                       their ending; the rules decide only the words it lacks\n"
    "  --style STYLE        how stress is written: classic (the default: lowercased up to the\n"
    "                       last long word of a line, accented capitals), accents (the text as\n"
    "                       typed, an acute on each stressed vowel letter: photógraph), or\n"
    "                       html (an HTML document of the text as typed, stressed letters\n"
    "                       bold and underlined)\n"
    "  --secondary          mark secondary stress before the primary stress too, with a grave\n"
    "                       accent (phòtográphic; lowercase in the classic style: phòtogrÁphic);\n"
    "                       --secondary=all marks it after the primary as well (phótogràph)\n"
    "  --variant VARIANT    american (the default) or british: the words whose British stress\n"
    "                       differs (garage, ballet, laboratory) are stressed the British way\n"
    "  --quiet              draw no progress bar\n"
    "  --sample             stress the built-in sample text instead of reading any input\n"
    "  --help               show this help and exit\n"
    "  --version            show the version and exit\n"
    "  --                   treat every later argument as a file name (or WORD)\n"
    "\n"
    "A progress bar is drawn on standard error when it is a terminal and the input is large.\n"
    "\n"
    "--explain writes one line per word, three fields separated by tabs: the word as given,\n"
    "the word as it is written back, and how it was decided. Each line of standard input (or\n"
    "each WORD) is cut into words at its spaces, as a line of text is; a tab, a line break, a\n"
    "backslash or another control character in a field is written escaped (\\t, \\n, \\\\, "
    "\\x1B).\n"
    "The last word of a line that a line break ends counts the break, as in the window, so\n"
    "four letters there are stressed. How it was decided is one of:\n"
    "  <name> Rule           a word-shape rule stressed it, e.g. 'Cameroon Rule'\n"
    "  <name> Rule - exception\n"
    "                        the rule's exception list holds it and it is left unmarked\n"
    "  dictionary develop+ed found\n"
    "                        the dictionary was searched for the stem 'develop' and the\n"
    "                        ending 'ed' goes after its form; 'not found' leaves the word\n"
    "                        unmarked. With --prefer-dictionary every lookup made is listed,\n"
    "                        e.g. 'dictionary developed not found, develop+ed found'\n"
    "  short word, left as it is\n"
    "                        four characters or fewer, never stressed\n"
    "  short word, lowercased\n"
    "                        the same, lowercased as a longer word follows on its line\n"
    "  no word characters, left as it is\n"
    "                        no letter, digit or underscore (ASCII) to stress\n"
    "  too long for a word, left as it is\n"
    "                        a run of more than 45 word characters\n"
    "With --prefer-dictionary also:\n"
    "  heteronym record: verb (after \"to\")\n"
    "                        a word whose stress follows its part of speech takes the\n"
    "                        reading its neighbours on the line point to, here the verb\n"
    "  already stressed, left as it is\n"
    "                        the word already holds a stress mark (\xC3\x81 \xC3\x89 \xC3\x8D "
    "\xC3\x93 \xC3\x9A \xC3\x9D)\n"
    "\n"
    "Exit status: 0 on success, 1 when an input cannot be read or is not UTF-8 or the output\n"
    "cannot be written, 2 for a mistake on the command line, 128 + the signal's number when\n"
    "SIGINT, SIGTERM or SIGHUP ends a run of -o (its temporary file is removed first).\n"
    "\n"
    "Examples:\n"
    "  echo 'The photographer developed the photograph.' | lexipulse-cli\n"
    "  lexipulse-cli -o essay.txt essay.txt\n"
    "  lexipulse-cli --style accents --secondary --variant british essay.txt\n"
    "  lexipulse-cli --style html -o essay.html essay.txt\n"
    "  lexipulse-cli --explain Cameroon coffee developed\n";

// OptionValue is the value of an option given as "--name VALUE" or "--name=VALUE"; i moves past
// a separate value. Nothing when arg is not that option.
std::optional<std::string> OptionValue(const std::vector<std::string>& args, std::size_t& i,
                                       const std::string& name) {
  const std::string& arg = args[i];
  if (arg == name) {
    if (i + 1 == args.size()) {
      throw TUsageError("option '" + arg + "' needs a value");
    }
    return args[++i];
  }
  if (arg.starts_with(name + "=")) {
    return arg.substr(name.size() + 1);
  }
  return std::nullopt;
}

void SetStyle(TCommand& command, const std::string& style) {
  if (style == "classic") {
    command.Style = TNotationStyle::Classic;
  } else if (style == "accents") {
    command.Style = TNotationStyle::Accents;
  } else if (style == "html") {
    command.Style = TNotationStyle::Highlight;
  } else {
    throw TUsageError("unknown style '" + EscapeControls(style) +
                      "' (choose classic, accents or html)");
  }
  command.Html = style == "html";
}

void SetVariant(TCommand& command, const std::string& variant) {
  if (variant == "american") {
    command.Variant = TVariant::American;
  } else if (variant == "british") {
    command.Variant = TVariant::British;
  } else {
    throw TUsageError("unknown variant '" + EscapeControls(variant) +
                      "' (choose american or british)");
  }
}

void SetOutput(TCommand& command, const std::string& file) {
  if (command.Output) {
    throw TUsageError("only one -o FILE may be given");
  }
  if (file.empty()) {
    throw TUsageError("-o needs a file name");
  }
  command.Output = file;
}

}  // namespace

// The arguments are parsed here rather than by getopt_long, whose state is process-wide
// (optind, and argv permuted in place) while RunConsole may run many times in one process, and
// which would take abbreviated long options that a later option could make ambiguous.
TCommand ParseArguments(const std::vector<std::string>& args) {
  TCommand command;
  bool options = true;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (!options || arg == "-" || arg.empty() || arg[0] != '-') {
      command.Operands.push_back(arg);
    } else if (arg == "--") {
      options = false;
    } else if (arg == "--help") {
      command.Help = true;
    } else if (arg == "--version") {
      command.Version = true;
    } else if (arg == "--sample") {
      command.Sample = true;
    } else if (arg == "--explain") {
      command.Explain = true;
    } else if (arg == "--prefer-dictionary") {
      command.PreferDictionary = true;
    } else if (arg == "--quiet") {
      command.Quiet = true;
    } else if (const auto style = OptionValue(args, i, "--style")) {
      SetStyle(command, *style);
    } else if (const auto variant = OptionValue(args, i, "--variant")) {
      SetVariant(command, *variant);
    } else if (arg == "--secondary") {
      command.Secondary = TSecondaryStress::BeforePrimary;
    } else if (arg == "--secondary=all") {
      command.Secondary = TSecondaryStress::All;
    } else if (arg == "-o" || arg == "--output") {
      if (i + 1 == args.size()) {
        throw TUsageError("option '" + arg + "' needs a file name");
      }
      SetOutput(command, args[++i]);
    } else if (arg.starts_with("--output=")) {
      SetOutput(command, arg.substr(9));
    } else if (arg.starts_with("-o") && arg.size() > 2 && arg[2] != '-') {
      SetOutput(command, arg.substr(2));
    } else {
      throw TUsageError("unrecognized option '" + EscapeControls(arg) + "'");
    }
  }
  if (command.Explain && command.Sample) {
    throw TUsageError("--explain and --sample cannot be used together");
  }
  if (command.Sample && !command.Operands.empty()) {
    throw TUsageError("--sample reads no input files");
  }
  return command;
}

const char* UsageText() { return kUsage; }

}  // namespace lexipulse
