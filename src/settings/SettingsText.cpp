#include "settings/SettingsText.h"

#include <algorithm>

#include "logdata/TextFields.h"

namespace grafolux {

namespace {

constexpr auto npos = std::string_view::npos;
constexpr std::string_view kWhite = " \t\n\r";
constexpr std::string_view kLineBreaks = "\r\n";

// The text up to its first CR or LF; `text` loses the line and all CR and LF right after it.
// A view, so that reading a whole file does not copy its rest once per line.
std::string_view PopLineView(std::string_view& text) {
    const size_t end = text.find_first_of(kLineBreaks);
    const std::string_view line = text.substr(0, end);
    const size_t next = end == npos ? npos : text.find_first_not_of(kLineBreaks, end);
    text = next == npos ? std::string_view{} : text.substr(next);
    return line;
}

std::string_view TrimSpaces(std::string_view text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

bool SameKey(std::string_view a, std::string_view b) {
    return a.size() == b.size() && (a.empty() || FindInText(a, b, 0, true) == 0);
}

}  // namespace

std::string TrimWhite(std::string_view text) {
    const size_t first = text.find_first_not_of(kWhite);
    if (first == npos) return std::string(text);
    return std::string(text.substr(first, text.find_last_not_of(kWhite) - first + 1));
}

bool GetSetting(std::string_view settingsText, std::string_view key, std::string& value) {
    std::string_view rest = settingsText;
    bool inBlock = false;
    std::string blockKey, closingTag, blockValue;
    for (;;) {
        const std::string_view raw = PopLineView(rest);
        if (raw.empty()) return false;
        const std::string uncommented = StripComment(raw, "#", "");
        std::string_view line = uncommented;
        if (!inBlock) {
            line = TrimSpaces(line);
            if (!line.starts_with('<')) {
                const size_t equals = line.find('=');
                if (equals == npos || !SameKey(line.substr(0, equals), key)) continue;
                const std::string_view after = line.substr(equals + 1);
                value = after.substr(0, after.find('='));
                return true;
            }
            const size_t tagEnd = line.find('>', 1);
            if (tagEnd == npos) continue;
            inBlock = true;
            blockKey = line.substr(1, tagEnd - 1);
            closingTag = "</" + blockKey + ">";
            blockValue.clear();
            line = line.substr(tagEnd + 1);  // the block's first content line
        }
        const size_t closing = FindInText(line, closingTag, 0, true);
        if (closing == npos) {
            blockValue.append(line).append("\r\n");
            continue;
        }
        // The last content line goes in without the CR LF that closing the block removes.
        blockValue.append(line.substr(0, closing));
        inBlock = false;
        if (SameKey(blockKey, key)) {
            value = std::move(blockValue);
            return true;
        }
    }
}

std::string StripComment(std::string_view line, std::string_view marker, std::string_view quotes) {
    if (marker.empty()) return std::string(line);
    char openQuote = 0;
    for (size_t i = 0; i < line.size(); ++i) {
        if (openQuote != 0) {
            if (line[i] == openQuote) openQuote = 0;
        } else if (quotes.find(line[i]) != npos) {
            openQuote = line[i];
        } else if (line.substr(i).starts_with(marker)) {
            return std::string(line.substr(0, i));
        }
    }
    return std::string(line);
}

std::string NormalizeLines(std::string_view text) {
    std::string normalized;
    normalized.reserve(text.size());
    for (char c : text) {
        if (kLineBreaks.find(c) == npos)
            normalized += c;
        else if (normalized.empty() || normalized.back() != '\n')
            normalized += '\n';
    }
    return normalized;
}

std::vector<std::string> SplitLines(std::string_view text) {
    const std::string normalized = NormalizeLines(text);
    const std::string_view rest = normalized;
    std::vector<std::string> lines;
    for (size_t start = 0; start < rest.size();) {
        const size_t end = std::min(rest.find('\n', start), rest.size());
        lines.emplace_back(rest.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

}  // namespace grafolux
