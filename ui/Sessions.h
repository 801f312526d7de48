// Sessions: where the simulator window keeps the sessions it saves, and
// the trainee's name the journal's exports carry.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

class QWidget;

namespace kyt {

// The folder of the sessions saved when the simulator window closes:
// "kyt/sessions" in the user's data folder.
QString sessionsFolder();

// How many of them are kept.
constexpr int kSessionsKept = 10;

// Writes a file whole or not at all; on failure returns false and says why.
bool writeWhole(const QString& path, const QByteArray& data, QString* error = nullptr);

// Saves a session into the folder as "sesja-<date>-<time>.txt" (created if
// need be) and removes the oldest ones beyond kSessionsKept. Returns the
// file's path, or an empty string (and why) when it could not be written.
QString saveSessionInto(const QString& folder, const QByteArray& script, const QDateTime& when,
    QString* error = nullptr);

// The trainee's name, asked once and remembered in the journal's settings
// (apart from the counters' store). Empty when the trainee declines.
QString traineeName(QWidget* parent);
// The remembered name, without asking.
QString storedTraineeName();
void setStoredTraineeName(const QString& name);

} // namespace kyt
