#include "features/ULinkOpener.h"

#include <cctype>

#include "foundation/UknError.h"
#include "foundation/UknFile.h"
#include "foundation/UknFunctions.h"
#include "foundation/UknListSuper.h"
#include "foundation/UknStrUtils.h"
#include "shell/ULangManager.h"

namespace qb {

namespace {

constexpr uint32_t kBatchPause = 20;  // ms

IShell* gShell = nullptr;

bool StartsWithNoCase(std::u16string_view s, std::u16string_view prefix) {
    if (s.size() < prefix.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
        char16_t c = s[i];
        if (c < 128) c = static_cast<char16_t>(std::tolower(static_cast<int>(c)));
        if (c != prefix[i]) return false;
    }
    return true;
}

std::u16string WithPrefix(std::u16string text, std::initializer_list<std::u16string_view> known,
                          std::u16string_view prefix) {
    for (std::u16string_view scheme : known)
        if (StartsWithNoCase(text, scheme)) return text;
    return std::u16string(prefix) + text;
}

struct TTargetLine {
    std::u16string Target;
    std::u16string Parameters;
};

// A line that opens with a double quote names its target between the quotes; the rest is the
// parameters. Without a closing quote the whole rest is the target.
TTargetLine SplitTargetLine(std::u16string_view line) {
    std::u16string s = Trim(line);
    if (s.empty() || s[0] != u'"') return {s, {}};
    size_t close = s.find(u'"', 1);
    if (close == std::u16string::npos) return {s.substr(1), {}};
    return {s.substr(1, close - 1), TrimLeft(std::u16string_view(s).substr(close + 1))};
}

bool PathExists(const std::u16string& path) {
    return !path.empty() && (FileExists(path) || DirectoryExists(path));
}

}  // namespace

// In the interface language: the message names the user's target, so it must be readable.
std::u16string ShellErrorText(int result) {
    switch (result) {
        case seFileNotFound:
            return LangText(26200);
        case sePathNotFound:
            return LangText(26201);
        case seAccessDenied:
            return LangText(26202);
        case seBadFormat:
            return LangText(26203);
        case seShareViolation:
            return LangText(26204);
        case seAssocIncomplete:
            return LangText(26205);
        case seNoAssoc:
            return LangText(26206);
        default:
            return LangText(26207);
    }
}

void SetShell(IShell* shell) {
    gShell = shell;
}

std::u16string NormalizeLink(std::u16string_view text, TLinkType type, bool addFilePrefix,
                             bool makeAbsolute) {
    std::u16string s = Trim(text);
    if (s.empty()) return s;
    switch (type) {
        case ltFile:
        case ltFolder:
            if (makeAbsolute) s = MakeAbsolute(s, ProgramFolder());
            return addFilePrefix ? WithPrefix(s, {u"file:"}, u"file://") : s;
        case ltUrl:
            return WithPrefix(s, {u"http:", u"https:", u"ftp:"}, u"http://");
        case ltEmail:
            return WithPrefix(s, {u"mailto:"}, u"mailto:");
        case ltNode:
            return WithPrefix(s, {u"outlook:"}, u"outlook://");
        default:
            return s;
    }
}

void OpenTarget(std::u16string_view line) {
    TTargetLine t = SplitTargetLine(line);
    // Stored paths may use "\": a target found on disk is handed on in its native form.
    std::u16string target = t.Target;
    if (PathExists(NativePath(target))) target = NativePath(target);
    std::u16string folder = PathExists(target) ? ExtractFilePath(target) : std::u16string();
    int result = gShell ? gShell->Open(target, t.Parameters, folder) : seUnknown;
    if (result <= 32) throw TknError(ShellErrorText(result) + u" " + t.Target);
}

void OpenBatch(std::u16string_view text) {
    // A line break after the last line ends that line; it does not add an empty one.
    if (text.ends_with(u"\r\n")) text.remove_suffix(2);
    SplitText(text, u"\r\n", [](std::u16string_view line) {
        OpenTarget(line);
        if (gShell) gShell->Pause(kBatchPause);
    });
}

void OpenLink(const TLinkProperty& link) {
    if (link.LinkType == ltBatch)
        OpenBatch(link.Link);
    else
        OpenTarget(NormalizeLink(link.Link, link.LinkType, false, true));
}

int TMemoryShell::Open(const std::u16string& target, const std::u16string& parameters,
                       const std::u16string& folder) {
    Calls.push_back({target, parameters, folder});
    auto at = Results.find(target);
    return at == Results.end() ? kShellOk : at->second;
}

}  // namespace qb
