#pragma once

// A fresh program folder, store, page model and shell for each test of the start-up check,
// the saving, backup and login rules, and import and export; timers on a virtual clock.

#include <filesystem>
#include <string>
#include <string_view>

#include "model/ModelFixture.h"
#include "shell/UInMemoryPlatform.h"
#include "shell/UOptionManager.h"
#include "shell/UProgramServices.h"
#include "storage/ULogInHandler.h"

namespace qb::test {

class TIoTest : public TModelTest {
  protected:
    TIoTest() {
        ReleaseShellGlobals();
        SetTimerPlatform(&Timers);
        ConnectPageEnvironment();
    }
    ~TIoTest() override {
        ReleaseStore();
        ReleaseShellGlobals();
        ReleaseLogInHandler();
        SetTimerPlatform(nullptr);
        SetSaveCenterFactory({});
    }

    std::string PathOf(std::string_view name) const { return Folder.File(name); }
    std::u16string Path16(std::string_view name) const { return Folder.File16(name); }
    void MakeFolder(std::string_view name) const {
        std::filesystem::create_directories(PathOf(name));
    }
    void Write(std::string_view name, std::string_view bytes) const {
        std::filesystem::path p(PathOf(name));
        std::filesystem::create_directories(p.parent_path());
        WriteBytes(p.string(), bytes);
    }
    std::string Read(std::string_view name) const { return ReadBytes(PathOf(name)); }
    bool Exists(std::string_view name) const { return std::filesystem::exists(PathOf(name)); }
    // Sets options as the options dialog would and tells every observer.
    template <class F>
    void SetOptions(F edit) {
        TOptions options = OptionManager().Options();
        edit(options);
        OptionManager().ReplaceOptions(options);
        OptionManager().NotifyAll();
    }

    TMemoryTimerPlatform Timers;
};

}  // namespace qb::test
