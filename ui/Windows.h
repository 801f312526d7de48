// Windows: the program's ten windows, created once at start-up, hidden, in
// a fixed order, and kept until the program ends. The application object
// owns them (App::windows()); handlers reach the other windows through the
// accessors, named like the windows.
#pragma once

#include <QString>
#include <QWidget>

#include <array>
#include <cstddef>
#include <memory>

namespace kyt {

class StartWindow;
class SimulatorWindow;

// The windows in their order of creation.
enum class WindowId : std::size_t {
    Start, // START: the start window, the program's main window
    Simulator, // blok: the simulator window
    Description, // opis: description of the block
    About, // AboutBox: about box
    Poster, // zar: picture window
    EnablingSchematic, // olin: enabling and cancelling the block
    LineSchematic, // linia: line circuits
    DeskSchematic, // pulp: desk lamp circuits
    ZpgSchematic, // zpg: ZPG
    PermissionSchematic, // zwrpoz: permission transfer
};

class Windows {
public:
    static constexpr std::size_t count = 10;

    Windows();
    // Destroys the windows in the reverse order of their creation.
    ~Windows();
    Windows(const Windows&) = delete;
    Windows& operator=(const Windows&) = delete;

    // Creates the ten windows in order, each hidden; an error raised while
    // one is created is reported and the next one is created all the same
    // (the failed one stays missing). A second call creates nothing.
    void create();
    // Start-up in two steps, for a start window on screen sooner: first the
    // start window and every window whose creation can report an error (the
    // schematics that read their pictures at creation), in order, so that
    // the reports come before the start window is shown; then the rest, in
    // order, once it is. Each
    // window is created once whichever call comes first; create() after
    // createForStart() creates the rest.
    void createForStart();
    void createRest() { create(); }
    // Starts decoding, on threads of their own, the pictures that
    // createForStart() reads, so that the decoding can use the time the
    // program spends waiting before it builds any window. Called by the
    // creation itself when not called before; does nothing once the windows
    // exist.
    void prefetchForStart();
    // True once every window has been created (or its creation has failed).
    bool allCreated() const { return created_; }
    // Destroys them, the last created first; create() may then run again.
    void destroy();

    // A window, or nullptr when it does not exist (not created yet, or its
    // creation failed).
    QWidget* window(WindowId id) const { return windows_[static_cast<std::size_t>(id)].get(); }
    // True for one of the ten windows.
    bool contains(const QWidget* w) const;

    StartWindow* startWindow() const;
    SimulatorWindow* simulatorWindow() const;
    QWidget* descriptionWindow() const { return window(WindowId::Description); }
    QWidget* aboutBox() const { return window(WindowId::About); }
    QWidget* posterWindow() const { return window(WindowId::Poster); }
    QWidget* enablingSchematic() const { return window(WindowId::EnablingSchematic); }
    QWidget* lineSchematic() const { return window(WindowId::LineSchematic); }
    QWidget* deskSchematic() const { return window(WindowId::DeskSchematic); }
    QWidget* zpgSchematic() const { return window(WindowId::ZpgSchematic); }
    QWidget* permissionSchematic() const { return window(WindowId::PermissionSchematic); }

private:
    void createWhere(bool (*wanted)(WindowId));

    std::array<std::unique_ptr<QWidget>, count> windows_;
    std::array<bool, count> attempted_ {};
    bool prefetchedFiles_ = false;
    bool prefetchedStored_ = false;
    bool created_ = false;
};

// The windows of the running application object (App::windows()); throws
// std::logic_error when the application object is not an App.
Windows& windows();

// Shows a window and brings it to the front.
void showWindow(QWidget* w);

} // namespace kyt
