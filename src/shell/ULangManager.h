#pragma once

// The language center of the program: interface texts of the current language, loaded from
// "lang/NAME.lng" in the program folder (one "id=text" line each, "//" lines are comments),
// falling back to the built-in string table. The texts of "Chinese" are built in.

#include <string>
#include <string_view>

#include "shell/UknClasses.h"

namespace qb {

class TLangManager : public TknLanguage, public IOptionObserver {
  public:
    TLangManager();  // registers with the option center, which sets the option's language
    ~TLangManager() override;

    void OptionChanged() override;  // follows the option Language

  protected:
    void LoadLanguage(std::u16string_view name, TknStrList& texts) override;
};

TLangManager& LangManager();
TLangManager* ExistingLangManager();
void ReleaseLangManager();

// Shorthand for LangManager().GetText(id, defaultText).
std::u16string LangText(int32_t id, std::u16string_view defaultText = {});

// True when the system's locale is Chinese (PRC): LC_ALL, else LC_MESSAGES, else LANG names
// zh_CN (or zh-CN, zh_Hans_CN).
bool SystemLocaleIsChinesePrc();

}  // namespace qb
