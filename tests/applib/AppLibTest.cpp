#include "AppLibTest.h"

#include "applib/VellClass.h"

void AppLibTest::SetUp() {
    AppFoldersTest::SetUp();
    EventLog().clear();
}

void AppLibTest::TearDown() {
    AppFoldersTest::TearDown();
    Vell.reset();
}

VellSettings AppLibTest::savedSettings() const { return VellSettings("varnel.ini", true); }

std::string AppLibTest::savedSetting(const std::string& key) const {
    return savedSettings().Get(key, "<none>").StringValue().utf8();
}

void AppLibTest::startWithTestWindow() {
    startApp<TestApp>([] { fw::Implicit<TestWindow>(); });
}
