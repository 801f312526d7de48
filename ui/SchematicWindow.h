// Schematic: what the five circuit schematic windows share.
//
// A schematic window opens maximised and scrolls over one picture control,
// JPEGImage1, that shows a JPEG file read from the current folder (or, when
// that lacks it, from the data folder: see DataFolder.h). Its menu
// "Schematy" leads to the other four schematics. A schematic window is shown
// only while it is the active window: as soon as another of the program's
// windows becomes active it closes (hides) itself, keeping its picture.
//
// Moving from one schematic to another with the menu happens in one go:
// the target is shown, the window that held the menu is told it is no
// longer active (and hides), then the target is told it is now active (and,
// where it reloads its picture on activation, decodes it) before anything
// is painted.
#pragma once

#include "JpegImage.h"
#include "Layout.h"
#include "Windows.h"

#include <QMainWindow>
#include <QMenu>
#include <QRect>
#include <QString>

#include <vector>

class QScrollArea;

namespace kyt {

// When a schematic window reads its picture file.
enum class LoadTime {
    Creation, // once, in FormCreate at start-up
    Activation, // again in FormActivate each time the window becomes active
};

// One item of the "Schematy" menu: its name, caption and the window that it
// shows.
struct SchematicMenuItem {
    QString name;
    QString caption;
    WindowId target;
};

struct SchematicSpec {
    QString formName; // "olin"
    QString caption; // window caption
    QSize designSize; // restored size
    QRect picture; // JPEGImage1: left, top, width, height
    QString fileName; // picture file in the current folder
    LoadTime loadTime;
    std::vector<SchematicMenuItem> menu;
};

class SchematicWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit SchematicWindow(const SchematicSpec& plan, QWidget* parent = nullptr);

    const SchematicSpec& plan() const { return plan_; }
    JpegImage* JPEGImage1 = nullptr;
    QMenu* Schematy1 = nullptr;
    // The menu item of the given name (nullptr when there is none).
    QAction* menuItem(const QString& name) const;
    // The area that scrolls over the picture control.
    QScrollArea* scrollArea() const { return scroll_; }
    // True between becoming the active window and the next deactivation.
    bool isFormActive() const { return active_; }

    // Reads the window's picture file (windows that load at creation).
    void FormCreate();
    // Reads the picture file again (windows that load on every activation).
    void FormActivate();
    // Closes, that is hides, the window; the picture stays.
    void FormDeactivate();

    // A menu item's work: shows target, hides this window, then activates
    // the target.
    void showFromMenu(QWidget* target);

    // The window has become the active one / has stopped being it. Both are
    // called on the window system's notices and, within a menu item, in the
    // order described above; each runs its handler once per change.
    void activated();
    void deactivated(QWidget* nowActive);

protected:
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;
    void changeEvent(QEvent* e) override;

    // Builds the window's single control from its table.
    static layout::Table pictureTable(const SchematicSpec& plan);

private:
    SchematicSpec plan_;
    QScrollArea* scroll_ = nullptr;
    layout::Built controls_;
    bool active_ = false;
    bool holdActivation_ = false; // shown by a menu item: activation follows
};

// True for the program's ten windows (the start, simulator, information
// and schematic windows), false for anything else, such as a message box.
bool isProgramWindow(const QWidget* w);

} // namespace kyt
