#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/parsed.h"
#include "engine/path_rules.h"

namespace quorvane {

// How a glob reads its pattern and compares characters.
struct GlobRules {
    // Letters compare by their Unicode lower case, in the pattern and in the names alike.
    bool ignoreCase = false;
    // The Windows reading: '\' is a separator like '/', in patterns and in paths, and escapes
    // nothing. Elsewhere '/' is the only separator and '\' makes the next character plain. By
    // default the platform's.
    bool windowsSeparators = kSeparator == '\\';
};

// A shell-style pattern for folders to leave out.
//
//   *       any run of characters within one name (never a separator)
//   ?       one character within one name
//   [...]   one character of a set: "[abc]", ranges "[a-z]", negated with "[!...]" or "[^...]";
//           a ']' right after the '[' (or the negation) is a member
//   **      as a whole component of a path pattern: zero or more components
//
// A character is one UTF-8 sequence; a byte that starts none is a character of its own, so
// names that are not UTF-8 match byte for byte. A pattern without a separator is compared with
// the folder's name. A pattern with one is compared with the folder's whole path below the
// target ("a/b", no leading or trailing separator): "a/b" and "/a/b" both match only that
// folder, "/build" only the "build" directly inside the target, "**/a/b" an "a/b" at any
// depth. One trailing separator is allowed and changes nothing ("build/" is "build").
class NameGlob {
  public:
    // Reads `pattern`. A pattern that cannot be read (empty, an unclosed '[', an empty
    // component as in "a//b", ...) fails with what is wrong.
    static Parsed<NameGlob> Parse(std::string_view pattern, GlobRules rules = {});

    // Whether matches() reads the path below the target rather than the name.
    bool matchesPaths() const { return byPath_; }

    // Whether the folder matches: its `name`, or, when matchesPaths(), its `relativePath`
    // below the target with separators between the components and none around them. The
    // other argument is not read, so a caller may leave it empty. Safe to call from several
    // threads at once.
    bool matches(std::string_view name, std::string_view relativePath) const;

    const std::string& pattern() const { return pattern_; }

  private:
    // A character as matching sees it: a code point, or kStrayByte plus a byte that is not
    // part of a UTF-8 sequence.
    using Character = std::uint32_t;
    static constexpr Character kStrayByte = 0x110000;

    struct Range {
        Character first;
        Character last;
    };
    struct Piece {
        enum Kind : std::uint8_t { Literal, AnyOne, AnyRun, Set } kind;
        bool negated = false;
        Character literal = 0;  // for a star: the ASCII byte that must follow it, or 0
        std::vector<Range> set;
    };
    struct Component {
        std::vector<Piece> pieces;
        bool anyComponents = false;  // a "**" of a path pattern
        bool onlyLiterals = true;
        std::string literalBytes;  // the component as it must appear, when onlyLiterals
    };

    class Reader;

    Character characterAt(std::string_view text, size_t& position) const;
    bool isSeparator(char byte) const;
    bool pieceMatches(const Piece& piece, Character character) const;
    bool componentMatches(const Component& component, std::string_view text) const;
    bool pathMatches(std::string_view path) const;

    std::string pattern_;
    GlobRules rules_;
    bool byPath_ = false;
    std::vector<Component> components_;
};

}  // namespace quorvane
