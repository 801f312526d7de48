// App: the application object and its error report.
//
// An error that escapes an event, timer, creation or activation handler is
// reported in a message box whose text is the error's message followed by
// ".", captioned with the program's title, with an error icon and an OK
// button; then the program goes on. The reporter can be replaced (tests
// record reports instead of opening a box).
#pragma once

#include <QApplication>
#include <QString>

#include <exception>
#include <functional>
#include <memory>
#include <thread>

namespace kyt {

class Windows;

// The program's title: task-bar caption and caption of every error box.
QString appTitle();

// Receives the text of one error report (the message with its full stop).
using Reporter = std::function<void(const QString& text)>;

// Replaces the reporter; returns the previous one. An empty reporter
// restores the message box.
Reporter setReporter(Reporter r);

// Reports an error message: the message followed by ".".
void reportError(const QString& message);
// Reports a caught error by its message.
void reportException(const std::exception& e);

// Runs f and reports any error escaping it; returns false when one did.
bool guarded(const std::function<void()>& f);

// The application object owns the program's windows (created by
// windows().create(), destroyed with it, before the toolkit ends).
class App : public QApplication {
    Q_OBJECT
public:
    App(int& argc, char** argv);
    ~App() override;

    // The running application object, or nullptr when there is none or it
    // is not an App.
    static App* instance();

    // The program's start: the windows that can report an error at their
    // creation and the start window, which is then shown; the other windows
    // once its first frame is painted. KYT_EXIT_AFTER (ExitAfter.h) ends the
    // process at a named point of this, for timing the program from outside.
    void startUp();
    Windows& windows() { return *windows_; }
    const Windows& windows() const { return *windows_; }

    // Every event passes here; an error escaping its handler is reported.
    bool notify(QObject* receiver, QEvent* event) override;

private:
    std::unique_ptr<Windows> windows_;
    // Loads the toolkit's picture plugins during the start-up (startUp()).
    std::thread pluginLoader_;
};

} // namespace kyt
