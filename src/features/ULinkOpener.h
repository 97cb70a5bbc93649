#pragma once

// Opening what links name: programs, files, folders, web and mail addresses. A link text is
// first normalised for its type, then handed to the platform's shell, which opens it with its
// program; a failure raises the shell's error text with the target.

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "features/ULinkPage.h"

namespace qb {

// Results of opening, as the shell reports them: above 32 is success.
inline constexpr int kShellOk = 33;
inline constexpr int seFileNotFound = 2;
inline constexpr int sePathNotFound = 3;
inline constexpr int seAccessDenied = 5;
inline constexpr int seBadFormat = 11;
inline constexpr int seShareViolation = 26;
inline constexpr int seAssocIncomplete = 27;
inline constexpr int seNoAssoc = 31;
inline constexpr int seUnknown = 0;

// The message of a failed result, without the target.
std::u16string ShellErrorText(int result);

class IShell {
  public:
    virtual ~IShell() = default;
    // Opens the target with its program ("open"), with the parameters, in the working folder
    // (empty: none). Returns at once with one of the results above.
    virtual int Open(const std::u16string& target, const std::u16string& parameters,
                     const std::u16string& folder) = 0;
    // The gap between two targets of a batch.
    virtual void Pause(uint32_t milliseconds) = 0;
};
// Not owned. With none every open fails with the unknown error.
void SetShell(IShell* shell);

// The text to hand to the shell for a link of the type.
std::u16string NormalizeLink(std::u16string_view text, TLinkType type, bool addFilePrefix,
                             bool makeAbsolute);

// One target line: a quoted target may be followed by parameters. Raises the error text and
// the target when the shell fails.
void OpenTarget(std::u16string_view line);
// Every line in order, with a pause of 20 ms after each; the first failure ends the batch.
void OpenBatch(std::u16string_view text);
// A link item's link, as the program opens it (batches line by line).
void OpenLink(const TLinkProperty& link);

// A shell that only records what it is asked, for tests and dry runs.
class TMemoryShell : public IShell {
  public:
    struct TCall {
        std::u16string Target;
        std::u16string Parameters;
        std::u16string Folder;
        bool operator==(const TCall&) const = default;
    };
    int Open(const std::u16string& target, const std::u16string& parameters,
             const std::u16string& folder) override;
    void Pause(uint32_t milliseconds) override { Pauses.push_back(milliseconds); }

    std::vector<TCall> Calls;
    std::vector<uint32_t> Pauses;
    std::map<std::u16string, int> Results;  // by target; kShellOk for any other
};

}  // namespace qb
