#pragma once
// The base of every window: load, the close question, unload, modeless or modal show with an owner,
// caption and geometry in twips. A form is loaded once (Form_Load runs after its controls are made)
// and unloaded once: Form_QueryUnload may cancel, Form_Unload may cancel, and then the form is hidden,
// leaves the registry of open forms and is deleted when control returns to the event loop, so that a
// handler may unload its own form. Closing the window by its frame runs the same unload.
#include <QAbstractButton>
#include <QMainWindow>
#include <QPointer>
#include <QString>

namespace forms {

// Why a form is being unloaded, as Form_QueryUnload receives it.
enum UnloadMode : int {
    vbFormControlMenu = 0,  // the user closed the window
    vbFormCode = 1,         // the program unloaded it
    vbAppWindows = 2,       // the desktop session is ending
    vbAppTaskManager = 3,   // the program was told to end (a signal)
    vbFormOwner = 5,        // its owner is being unloaded
};

// WindowState values.
enum WindowState : int { vbNormal = 0, vbMinimized = 1, vbMaximized = 2 };

class Form : public QMainWindow {
    Q_OBJECT
public:
    // `name` is the form's name (its objectName), as its handlers' error tags use it.
    explicit Form(const QString& name, QWidget* parent = nullptr);
    ~Form() override;

    // Runs Form_Load the first time; later calls do nothing.
    void Load();
    bool isLoaded() const { return loaded_; }
    bool isUnloaded() const { return unloaded_; }

    // Shows the form, loading it first. Modal: returns when the form is hidden or unloaded, with every
    // other window blocked meanwhile. An owner keeps the form above it. A minimised form comes back.
    void Show(bool modal = false, QWidget* owner = nullptr);
    // Shows the form modeless as a window of its own; the first time, it opens centred on `over`
    // (and on the screen) instead of wherever the window manager finds room.
    void ShowCentredOn(const QWidget* over);
    void Hide() { hide(); }

    // Unloads the form; false when Form_QueryUnload or Form_Unload cancelled.
    bool Unload(int mode = vbFormCode);

    QString Caption() const { return windowTitle(); }
    void setCaption(const QString& caption) { setWindowTitle(caption); }

    // The window's outer position and size, and its inner (client) size, in twips. While the window
    // keeps the rectangle Move gave it, these read back the twips Move was given, so that a layout
    // saved and restored stays the same to the twip.
    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;
    void Move(int left, int top, int width, int height);
    // Move for values from outside (the options file, a screen's size): bounded by the screens
    // first (boundedByScreens); Left/Top/Width/Height then read back the bounded values.
    void MoveOnScreen(double left, double top, double width, double height);
    void setLeft(int left) { Move(left, Top(), Width(), Height()); }
    void setTop(int top) { Move(Left(), top, Width(), Height()); }
    void setWidth(int width) { Move(Left(), Top(), width, Height()); }
    void setHeight(int height) { Move(Left(), Top(), Width(), height); }
    int ScaleWidth() const;
    int ScaleHeight() const;
    // Sets the client size in twips (the design size of a window).
    void setClientSize(int width, int height);

    int windowStateValue() const;
    void setWindowStateValue(int state);

    // The keys of a dialog: Enter presses the default button (the visible QPushButton set as
    // default), Esc presses `cancel`, or closes the form when there is none. Other windows leave
    // both keys to their controls.
    void setDialogKeys(QAbstractButton* cancel = nullptr);

    // The client area, parent of the form's controls.
    QWidget* client() const { return client_; }

signals:
    void hidden();
    void unloaded();

protected:
    virtual void Form_Load() {}
    // Set `cancel` non-zero to keep the form loaded.
    virtual void Form_QueryUnload(int& cancel, int unloadMode) {
        (void)cancel;
        (void)unloadMode;
    }
    virtual void Form_Unload(int& cancel) { (void)cancel; }
    virtual void Form_Resize() {}
    virtual void Form_Activate() {}

    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QSize clientPixels() const;
    // `g` centred on `over` unless the form has been placed already, and on the screen.
    QRect openingGeometry(QRect g, const QWidget* over) const;
    QSize frameExtra() const;
    int keptTwips(int pixels, int askedPixels, int askedTwips) const;
    void fitAskedSizeToFrame();

    QWidget* client_;
    // The outer rectangle Move was last given, in twips and in the pixels it stands for.
    QRect askedTwips_;
    QRect askedPixels_;
    bool asked_ = false;
    // The frame's size is unknown until the window system has framed the shown window; the inner
    // size is corrected then so that the outer size is the one asked for.
    bool frameUnknown_ = false;
    bool dialogKeys_ = false;
    QPointer<QAbstractButton> cancelButton_;
    bool loaded_ = false;
    bool unloading_ = false;
    bool unloaded_ = false;
};

}  // namespace forms
