#pragma once

#include <QStandardPaths>
#include <QTemporaryDir>

namespace whoopline::testing {

// Settings of the windows under test go to Qt's test folder under a home of each test program's
// own, never the user's, and never another test's running beside it.
inline QTemporaryDir TestHome;
inline const bool SettingsInTestMode =
    (qputenv("HOME", TestHome.path().toLocal8Bit()), QStandardPaths::setTestModeEnabled(true), true);

} // namespace whoopline::testing
