#include "engine/name_glob.h"

#include <algorithm>

#include "text/lower_case.h"
#include "text/utf8_text.h"

namespace quorvane {

namespace {

constexpr size_t kNoStar = std::string_view::npos;

}  // namespace

NameGlob::Character NameGlob::characterAt(std::string_view text, size_t& position) const {
    const unsigned char lead = static_cast<unsigned char>(text[position]);
    if (IsAscii(lead)) {
        ++position;
        return lead;
    }
    char32_t codePoint = 0;
    bool valid = false;
    position += DecodeUtf8(text, position, codePoint, valid);
    return valid ? codePoint : kStrayByte + lead;
}

bool NameGlob::isSeparator(char byte) const {
    return byte == '/' || (byte == '\\' && rules_.windowsSeparators);
}

// Reads a pattern left to right into components of pieces.
class NameGlob::Reader {
  public:
    Reader(NameGlob& glob, std::string_view text) : glob_(glob), text_(text) {}

    bool read(std::string& error) {
        std::vector<std::string_view> rawComponents;
        size_t componentStart = 0;
        glob_.components_.emplace_back();
        while (position_ < text_.size()) {
            if (glob_.isSeparator(text_[position_])) {
                rawComponents.push_back(text_.substr(componentStart, position_ - componentStart));
                componentStart = ++position_;
                glob_.components_.emplace_back();
            } else if (!readPiece(glob_.components_.back(), error)) {
                return false;
            }
        }
        rawComponents.push_back(text_.substr(componentStart));
        return arrange(rawComponents, error);
    }

  private:
    bool fail(std::string& error, std::string text) {
        error = std::move(text);
        return false;
    }

    Character fold(Character character) const {
        if (!glob_.rules_.ignoreCase || character >= kStrayByte) return character;
        return LowerCaseCharacter(static_cast<char32_t>(character));
    }

    // Appends the character at the reading position as a literal.
    void readLiteral(Component& component) {
        const size_t start = position_;
        const Character character = glob_.characterAt(text_, position_);
        component.literalBytes.append(text_.substr(start, position_ - start));
        component.pieces.push_back({Piece::Literal, false, fold(character), {}});
    }

    bool readPiece(Component& component, std::string& error) {
        const char byte = text_[position_];
        if (byte == '\\' && !glob_.rules_.windowsSeparators) {
            if (++position_ == text_.size()) return fail(error, "ends with a lone backslash");
            readLiteral(component);
            return true;
        }
        if (byte == '*') {
            ++position_;
            component.onlyLiterals = false;
            // A run of stars is one star, which keeps matching linear in the name.
            if (component.pieces.empty() || component.pieces.back().kind != Piece::AnyRun) {
                component.pieces.push_back({Piece::AnyRun, false, 0, {}});
            }
            return true;
        }
        if (byte == '?') {
            ++position_;
            component.onlyLiterals = false;
            component.pieces.push_back({Piece::AnyOne, false, 0, {}});
            return true;
        }
        if (byte == '[') {
            component.onlyLiterals = false;
            return readSet(component, error);
        }
        readLiteral(component);
        return true;
    }

    // One member of a set, or one end of a range.
    bool readSetCharacter(Character& character, std::string& error) {
        if (position_ < text_.size() && text_[position_] == '\\' &&
            !glob_.rules_.windowsSeparators) {
            ++position_;
        }
        if (position_ == text_.size()) return fail(error, "unclosed '['");
        if (glob_.isSeparator(text_[position_])) {
            return fail(error, "a separator cannot stand inside [...]");
        }
        character = glob_.characterAt(text_, position_);
        return true;
    }

    bool readSet(Component& component, std::string& error) {
        Piece piece{Piece::Set, false, 0, {}};
        ++position_;
        if (position_ < text_.size() && (text_[position_] == '!' || text_[position_] == '^')) {
            piece.negated = true;
            ++position_;
        }
        for (bool first = true;; first = false) {
            if (position_ == text_.size()) return fail(error, "unclosed '['");
            if (text_[position_] == ']' && !first) break;
            if (text_.substr(position_).starts_with("[:") &&
                text_.find(":]", position_ + 2) != std::string_view::npos) {
                return fail(error, "character classes such as [:alpha:] are not supported");
            }
            const size_t start = position_;
            Character low = 0;
            Character high = 0;
            if (!readSetCharacter(low, error)) return false;
            high = low;
            if (position_ + 1 < text_.size() && text_[position_] == '-' &&
                text_[position_ + 1] != ']') {
                ++position_;
                if (!readSetCharacter(high, error)) return false;
                if (high < low) {
                    return fail(error, "the range " +
                                           std::string(text_.substr(start, position_ - start)) +
                                           " runs backwards");
                }
            }
            piece.set.push_back({low, high});
            // Letters compare in lower case; the range of the lower cases is added when it
            // is one, so "[A-Z]" also takes "q".
            const Range folded{fold(low), fold(high)};
            if ((folded.first != low || folded.last != high) && folded.first <= folded.last) {
                piece.set.push_back(folded);
            }
        }
        ++position_;
        component.pieces.push_back(std::move(piece));
        return true;
    }

    // A star followed by an ASCII character that has no other case remembers it: a star can
    // only end right before that byte, which matching then finds with one search. No byte of a
    // longer UTF-8 sequence is ASCII, so the search lands on a character.
    void noteLiteralsAfterStars(Component& component) const {
        std::vector<Piece>& pieces = component.pieces;
        for (size_t i = 0; i + 1 < pieces.size(); ++i) {
            const Character next = pieces[i + 1].literal;
            const bool caseless = (next < 'a' || next > 'z') && (next < 'A' || next > 'Z');
            if (pieces[i].kind == Piece::AnyRun && pieces[i + 1].kind == Piece::Literal &&
                next < 0x80 && (caseless || !glob_.rules_.ignoreCase)) {
                pieces[i].literal = next;
            }
        }
    }

    // Turns the components read into a name pattern or an anchored path pattern.
    bool arrange(std::vector<std::string_view>& raw, std::string& error) {
        std::vector<Component>& components = glob_.components_;
        const bool leading = components.size() > 1 && raw.front().empty();
        if (leading) {
            components.erase(components.begin());
            raw.erase(raw.begin());
        }
        if (components.size() > 1 && raw.back().empty()) {
            components.pop_back();
            raw.pop_back();
        }
        if (components.size() == 1 && raw.front().empty()) return fail(error, "empty pattern");
        for (size_t i = 0; i < components.size(); ++i) {
            if (raw[i].empty()) return fail(error, "an empty component between two separators");
        }
        for (Component& component : components)
            noteLiteralsAfterStars(component);
        glob_.byPath_ = leading || components.size() > 1;
        if (glob_.byPath_) {
            for (size_t i = 0; i < components.size(); ++i) {
                components[i].anyComponents = raw[i] == "**";
            }
        }
        return true;
    }

    NameGlob& glob_;
    std::string_view text_;
    size_t position_ = 0;
};

Parsed<NameGlob> NameGlob::Parse(std::string_view pattern, GlobRules rules) {
    NameGlob glob;
    glob.pattern_ = pattern;
    glob.rules_ = rules;
    std::string error;
    if (!Reader(glob, pattern).read(error)) return Parsed<NameGlob>::failed(std::move(error));
    return glob;
}

bool NameGlob::pieceMatches(const Piece& piece, Character character) const {
    const Character folded =
        rules_.ignoreCase && character < kStrayByte ? LowerCaseCharacter(character) : character;
    switch (piece.kind) {
        case Piece::Literal:
            return folded == piece.literal;
        case Piece::AnyOne:
        case Piece::AnyRun:
            return true;
        case Piece::Set:
            break;
    }
    bool member = false;
    for (const Range& range : piece.set) {
        if ((character >= range.first && character <= range.last) ||
            (folded >= range.first && folded <= range.last)) {
            member = true;
            break;
        }
    }
    return member != piece.negated;
}

// Matches with one remembered star: on a mismatch the last star takes one more character and
// matching resumes after it. Each piece other than a star takes exactly one character, which
// makes this exact.
bool NameGlob::componentMatches(const Component& component, std::string_view text) const {
    if (component.onlyLiterals && !rules_.ignoreCase) return text == component.literalBytes;
    const std::vector<Piece>& pieces = component.pieces;
    size_t piece = 0;
    size_t position = 0;
    size_t starPiece = kNoStar;
    size_t starPosition = 0;
    while (position < text.size() || piece < pieces.size()) {
        if (piece < pieces.size()) {
            if (pieces[piece].kind == Piece::AnyRun) {
                starPiece = piece++;
                starPosition = position;
                continue;
            }
            if (position < text.size()) {
                size_t next = position;
                if (pieceMatches(pieces[piece], characterAt(text, next))) {
                    ++piece;
                    position = next;
                    continue;
                }
            }
        }
        if (starPiece == kNoStar || starPosition == text.size()) return false;
        characterAt(text, starPosition);
        if (const Character next = pieces[starPiece].literal; next != 0) {
            starPosition = std::min(text.find(static_cast<char>(next), starPosition), text.size());
        }
        position = starPosition;
        piece = starPiece + 1;
    }
    return true;
}

// The same scheme one level up: "**" is the star, and each other component takes one
// component of the path.
bool NameGlob::pathMatches(std::string_view path) const {
    const size_t end = path.empty() ? 0 : path.size() + 1;
    const auto componentEnd = [&](size_t start) {
        size_t stop = start;
        while (stop < path.size() && !isSeparator(path[stop]))
            ++stop;
        return stop;
    };
    size_t component = 0;
    size_t position = 0;
    size_t starComponent = kNoStar;
    size_t starPosition = 0;
    while (position < end || component < components_.size()) {
        if (component < components_.size()) {
            if (components_[component].anyComponents) {
                starComponent = component++;
                starPosition = position;
                continue;
            }
            if (position < end) {
                const size_t stop = componentEnd(position);
                if (componentMatches(components_[component],
                                     path.substr(position, stop - position))) {
                    ++component;
                    position = stop + 1;
                    continue;
                }
            }
        }
        if (starComponent == kNoStar || starPosition == end) return false;
        starPosition = componentEnd(starPosition) + 1;
        position = starPosition;
        component = starComponent + 1;
    }
    return true;
}

bool NameGlob::matches(std::string_view name, std::string_view relativePath) const {
    if (byPath_) return pathMatches(relativePath);
    return componentMatches(components_.front(), name);
}

}  // namespace quorvane
