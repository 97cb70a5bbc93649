#include "foundation/UknFunctions.h"

#include <sys/stat.h>
#include <unicode/uchar.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <vector>

#include "foundation/UknDateTimeUtils.h"
#include "foundation/UknStrUtils.h"

namespace qb {

namespace {

constexpr std::u16string_view kPathDelimiters = u"\\/:";

std::optional<std::u16string>& ProgramFolderCache() {
    static std::optional<std::u16string> folder;
    return folder;
}

std::u16string WithSlash(std::u16string folder) {
    if (folder.empty() || (folder.back() != u'/' && folder.back() != u'\\')) folder.push_back(u'/');
    return NativePath(folder);
}

bool PathExists(const std::u16string& path) {
    struct stat st {};
    return ::stat(ToUtf8(path).c_str(), &st) == 0;
}

bool IsSeparator(char16_t c) {
    return c == u'\\' || c == u'/';
}

// Simple per-unit lower case, so that both texts keep their lengths while compared.
bool StartsWithIgnoringCase(std::u16string_view s, std::u16string_view prefix) {
    if (prefix.size() > s.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
        char16_t a = s[i], b = prefix[i];
        if (a == b || (IsSeparator(a) && IsSeparator(b))) continue;
        if (u_tolower(a) != u_tolower(b)) return false;
    }
    return true;
}

constexpr int kMaxReplacementsPerTag = 1000;
// "%s" repeats at most this many characters in one expansion, however large its counts.
constexpr size_t kMaxRepeatedChars = 1'000'000;

// For each "(" of the text the position of its matching ")", npos when unmatched.
std::vector<size_t> MatchParentheses(std::u16string_view s) {
    std::vector<size_t> match(s.size(), std::u16string_view::npos), open;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == u'(') {
            open.push_back(i);
        } else if (s[i] == u')' && !open.empty()) {
            match[open.back()] = i;
            open.pop_back();
        }
    }
    return match;
}

// Replaces each `tag` (ending in "(") whose parenthesis is closed by value(argument), left to
// right, at most kMaxReplacementsPerTag times; values are not scanned again.
template <class F>
std::u16string ExpandTag(std::u16string_view s, std::u16string_view tag, F value) {
    if (s.find(tag) == std::u16string_view::npos) return std::u16string(s);
    std::vector<size_t> match = MatchParentheses(s);
    std::u16string out;
    size_t start = 0;
    for (int done = 0; done < kMaxReplacementsPerTag;) {
        size_t at = s.find(tag, start);
        if (at == std::u16string_view::npos) break;
        size_t open = at + tag.size() - 1, close = match[open];
        size_t next = close == std::u16string_view::npos ? open + 1 : close + 1;
        out.append(s.substr(start, at - start));
        if (close == std::u16string_view::npos) {
            out.append(tag);
        } else {
            out += value(s.substr(open + 1, close - open - 1));
            ++done;
        }
        start = next;
    }
    out.append(s.substr(start));
    return out;
}

std::u16string CharacterOf(std::u16string_view argument) {
    int64_t code = StrToIntDef(argument, -1);
    if (code < 0 || code > 0x10FFFF) return u" ";
    if (code < 0x10000) return std::u16string(1, static_cast<char16_t>(code));
    code -= 0x10000;
    return {static_cast<char16_t>(0xD800 + (code >> 10)),
            static_cast<char16_t>(0xDC00 + (code & 0x3FF))};
}

// "text,count" (split at the last comma) or just "count", which repeats "-".
std::u16string Repeat(std::u16string_view argument, size_t& budget) {
    size_t comma = argument.rfind(u',');
    std::u16string_view text =
        comma == std::u16string_view::npos ? u"-" : argument.substr(0, comma);
    int64_t count =
        StrToIntDef(comma == std::u16string_view::npos ? argument : argument.substr(comma + 1), 0);
    if (count <= 0 || text.empty()) return {};
    size_t n = std::min(static_cast<size_t>(count), budget / text.size());
    budget -= n * text.size();
    std::u16string out;
    out.reserve(n * text.size());
    for (size_t i = 0; i < n; ++i) out.append(text);
    return out;
}

std::u16string EnvFolder(const char* name) {
    const char* v = std::getenv(name);
    return (v && *v) ? FromUtf8(v) : std::u16string();
}

}  // namespace

std::u16string NativePath(std::u16string_view p) {
    return ReplaceAll(p, u"\\", u"/");
}

std::u16string ExecutablePath() {
    char buffer[4096];
    ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0) return {};
    return FromUtf8(std::string_view(buffer, static_cast<size_t>(n)));
}

std::u16string ResolveProgramFolder(std::u16string_view executablePath) {
    std::u16string env = EnvFolder("QUILLBOX_HOME");
    if (!env.empty()) return WithSlash(env);
    return DefaultProgramFolder(executablePath);
}

std::u16string DefaultProgramFolder(std::u16string_view executablePath) {
    std::u16string exeFolder = ExtractFilePath(executablePath);
    if (!exeFolder.empty() &&
        (PathExists(exeFolder + u"quillbox.ini") || PathExists(exeFolder + u"data")))
        return WithSlash(exeFolder);
    std::u16string data = EnvFolder("XDG_DATA_HOME");
    if (data.empty()) data = EnvFolder("HOME") + u"/.local/share";
    return WithSlash(data + u"/quillbox");
}

const std::u16string& ProgramFolder() {
    auto& folder = ProgramFolderCache();
    if (!folder) folder = ResolveProgramFolder(ExecutablePath());
    return *folder;
}

void SetProgramFolder(std::u16string_view folder) {
    auto& cache = ProgramFolderCache();
    if (folder.empty())
        cache.reset();
    else
        cache = WithSlash(std::u16string(folder));
}

std::u16string ProgramSubFolder(std::u16string_view name, bool create) {
    std::u16string folder = WithSlash(ProgramFolder() + NativePath(name));
    if (create && !PathExists(folder)) ::mkdir(ToUtf8(folder).c_str(), 0700);
    return folder;
}

std::u16string ExtractFilePath(std::u16string_view p) {
    size_t at = p.find_last_of(kPathDelimiters);
    return at == std::u16string_view::npos ? std::u16string() : std::u16string(p.substr(0, at + 1));
}

std::u16string ExtractFileName(std::u16string_view p, bool keepExtension) {
    if (!p.empty() && kPathDelimiters.find(p.back()) != std::u16string_view::npos)
        p.remove_suffix(1);
    size_t at = p.find_last_of(kPathDelimiters);
    if (at != std::u16string_view::npos) p.remove_prefix(at + 1);
    if (!keepExtension) {
        size_t dot = p.rfind(u'.');
        if (dot != std::u16string_view::npos) p = p.substr(0, dot);
    }
    return std::u16string(p);
}

std::u16string ExtractFileExt(std::u16string_view p) {
    std::u16string name = ExtractFileName(p, true);
    size_t dot = name.rfind(u'.');
    return dot == std::u16string::npos ? std::u16string() : name.substr(dot + 1);
}

// Only a whole leading folder counts: the base must end at a separator of the path, so that
// "/notes/ab" is not taken to lie inside "/notes/a".
std::u16string MakeRelative(std::u16string_view path, std::u16string_view base) {
    if (base.empty() || !StartsWithIgnoringCase(path, base)) return std::u16string(path);
    std::u16string_view rest = path.substr(base.size());
    if (!IsSeparator(base.back()) && !rest.empty() && !IsSeparator(rest.front()))
        return std::u16string(path);
    if (!rest.empty() && IsSeparator(rest.front())) rest.remove_prefix(1);
    return u".\\" + std::u16string(rest);
}

std::u16string MakeAbsolute(std::u16string_view path, std::u16string_view base) {
    size_t at = path.find(u".\\");
    if (at == std::u16string_view::npos) return std::u16string(path);
    std::u16string folder(base);
    if (folder.empty() || !IsSeparator(folder.back())) folder.push_back(u'/');
    return std::u16string(path.substr(0, at)) + folder + std::u16string(path.substr(at + 2));
}

std::u16string ValidFileName(std::u16string_view s, bool alsoSlashes) {
    std::u16string_view bad = alsoSlashes ? u"<>|:\"*?/\\" : u"<>|:\"*?";
    std::u16string out(s);
    for (char16_t& c : out)
        if (bad.find(c) != std::u16string_view::npos) c = u' ';
    return out;
}

std::u16string ExpandPattern(std::u16string_view pattern) {
    TSystemTime now = LocalNow();
    std::u16string s = ReplaceAll(pattern, u"%d", FormatLocal(now, 1));
    s = ReplaceAll(s, u"%i", FormatLocal(now, 2));
    s = ExpandTag(s, u"%c(", CharacterOf);
    s = ExpandTag(s, u"%u(", [&now](std::u16string_view p) { return FormatCustom(now, p); });
    size_t budget = kMaxRepeatedChars;
    s = ExpandTag(s, u"%s(", [&budget](std::u16string_view a) { return Repeat(a, budget); });
    s = ReplaceAll(s, u"%n", u"\r\n");
    return ReplaceAll(s, u"%t", u"\t");
}

}  // namespace qb
