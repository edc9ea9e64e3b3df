#pragma once
// A stand-in main window for the editor commands: the editor, the dialog control, the two font
// boxes and the image list with the drawn button pictures; it records which picture each button
// shows, by image-list key, and answers dialogs and message boxes from scripts.
#include "core/editor_host.h"
#include "platform/forms/combobox.h"
#include "platform/forms/common_dialog.h"
#include "platform/forms/richtextbox.h"
#include "platform/vb/msgbox.h"

#include <QMap>
#include <QStringList>
#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>

#include <map>
#include <utility>

namespace editortest {

class MainWindowStandIn : public core::EditorHost {
public:
    MainWindowStandIn();
    ~MainWindowStandIn() override;

    QWidget* window() override { return &window_; }
    forms::RichTextBox& txtCode() override { return *txtCode_; }
    QPixmap imageListPicture(const QString& key) const override { return pictures_.value(key); }
    void setButtonPicture(core::ButtonBar bar, int index, const QPixmap& picture) override;
    forms::CommonDialog& dlgCommonDialog1() override { return *dialog_; }
    forms::ComboBox& cboFontCombo() override { return *fonts_; }
    forms::ComboBox& cboSizeCombo() override { return *sizes_; }

    // The image-list key of the picture a button shows ("" before any was set).
    QString shown(core::ButtonBar bar, int index) const;
    // Every picture set, in order, as "bar index key".
    const QStringList& pictureLog() const { return log_; }
    const QMap<QString, QPixmap>& pictures() const { return pictures_; }

private:
    QWidget window_;
    forms::RichTextBox* txtCode_;
    forms::CommonDialog* dialog_;
    forms::ComboBox* fonts_;
    forms::ComboBox* sizes_;
    QMap<QString, QPixmap> pictures_;
    std::map<std::pair<core::ButtonBar, int>, QString> shown_;
    QStringList log_;
};

class EditorTest : public ::testing::Test {
protected:
    forms::RichTextBox& box() { return main_.txtCode(); }
    void select(const QString& text);

    QTemporaryDir dir_;
    MainWindowStandIn main_;
    forms::DialogScript dialogs_;
    vb::MsgBoxScript boxes_;
};

}  // namespace editortest
