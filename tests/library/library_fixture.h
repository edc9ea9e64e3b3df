#pragma once
// A library window started as the program starts it, on the test's own empty data and settings
// folders, with message boxes and dialogs scripted.
#include "library/frm_code_lib.h"
#include "platform/forms/common_dialog.h"
#include "platform/vb/msgbox.h"

#include <QString>
#include <gtest/gtest.h>

class LibraryWindowTest : public ::testing::Test {
protected:
    void TearDown() override;

    // Loads the window (its Form_Load is the program's start).
    library::FrmCodeLib& start();
    // Loads it with LastDB naming a folder that holds no library and the start-up choice cancelled.
    library::FrmCodeLib& startWithoutLibrary();
    // Unloads it as closing the program does, then forgets it.
    void stop();

    static QString dataPath(const QString& name);
    static QString setting(const QString& key);
    static void setSetting(const QString& key, const QString& value);
    // Rows of a work database by a fresh connection.
    static int rowCount(const QString& database, const QString& table);
    static bool integrityOk(const QString& database);

    vb::MsgBoxScript boxes_;
    forms::DialogScript dialogs_;
};
