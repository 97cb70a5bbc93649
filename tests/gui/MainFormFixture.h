#pragma once

// The main window on a fresh program folder, with the program's services opened as the
// program opens them and released after each test.

#include <gtest/gtest.h>

#include <QApplication>
#include <memory>

#include "features/UClipHandler.h"
#include "shell/UMemoryManager.h"
#include "shell/UProgramServices.h"
#include "shell/ui/UMainForm.h"
#include "support/TestSupport.h"
#include "toolkit/UknPlatform.h"

namespace qb::test {

class TMainFormTest : public ::testing::Test {
  protected:
    TMainFormTest() {
        FPlatform = std::make_unique<TknPlatform>();
        EXPECT_TRUE(OpenProgramData([](const std::u16string&) {}));
    }
    ~TMainFormTest() override {
        FForm.reset();
        ReleaseClipWatcher();
        ReleaseProgramGlobals();
        FPlatform.reset();
    }
    TMainForm& Create() {
        FForm = std::make_unique<TMainForm>();
        QApplication::processEvents();
        return *FForm;
    }
    static int64_t SaveCount() { return MemoryManager().SaveCount; }

    TTempFolder FFolder;
    std::unique_ptr<TknPlatform> FPlatform;
    std::unique_ptr<TMainForm> FForm;
};

}  // namespace qb::test
