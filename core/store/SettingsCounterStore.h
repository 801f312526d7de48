#pragma once
// The counter store in the user's settings: on Windows the registry key
// HKEY_CURRENT_USER\Software\kyt\sygnaly with one 32-bit value per count,
// elsewhere the INI file $XDG_CONFIG_HOME/kyt/sygnaly.conf (by default
// ~/.config/kyt/sygnaly.conf) with the counts as keys of its [General]
// section, which the toolkit's settings read as top-level keys.
//
// The file is replaced as a whole through a temporary file and a rename, and
// only once every byte of the new file has reached the disk, so a crash or a
// full disk in the middle of a save leaves either the old or the new counts.
// Whatever else the file holds is kept, once. A save reads the file again
// and writes it under a lock file beside it (sygnaly.conf.lock), so that
// programs saving at the same time each add to what the other stored.
//
// Only a regular file of at most 1 MiB is read, once per load; anything else
// in its place (a larger file, a named pipe, a device, a folder) is a store
// that exists but cannot be read, and is never replaced. Lines may end in
// LF, CR LF or CR, and a UTF-8 byte-order mark may precede the first.

#include "CounterStore.h"

#include <QString>

namespace kyt {

class SettingsCounterStore final : public CounterStore {
public:
    // The user's own store.
    SettingsCounterStore();
    // A store in the given INI file instead.
    explicit SettingsCounterStore(const QString& iniFile);

    bool exists() override;
    ReadResult read(std::string_view name) override;
    Contents load(std::span<const std::string_view> names) override;
    bool write(std::span<const NamedCount> counts) override;
    bool add(std::span<const NamedCount> uses) override;

    // Where the counts are kept: the file name, or the registry path.
    QString location() const;

private:
    QString file_;
    bool registry_ = false;
};

} // namespace kyt
