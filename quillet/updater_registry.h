#pragma once
// The updater's own settings procedures. They read and write the main
// program's settings in the current user's key "Software\TALVOR\KORVEL\"
// through the settings class, which in the updater raises on every failure
// (DeleteValueMode::Raise); nothing here catches. A namespace of their own
// keeps them apart from the main program's procedures of the same names.
#include <QString>

namespace quillet {

// The value "RootDir" as the setup stored it: under "Software\TALVOR\KORVEL\Settings"
// when "Software\TALVOR\KORVEL" exists, otherwise under the key the runtime's
// SaveSetting used ("Software\VB And VBA Program Settings\KORVEL\Settings",
// or the key itself when that has no "Settings"). Empty when absent.
QString GetRootDir();

// Returns the text value `name` of "Software\TALVOR\KORVEL\" + `section`, or
// `defaultValue` when it cannot be read.
QString GetRegSetting(const QString& section, const QString& name, const QString& defaultValue);

// Writes the text value, creating the key; empty text is written too.
void SaveRegSetting(const QString& SettingKey, const QString& ValueKey, const QString& ValueStr);

// The update server when the settings name none: https, so what it says
// cannot be changed on the way. ".invalid" never resolves, so an
// unconfigured updater fails at once instead of asking a stranger.
inline constexpr char DefaultUpdateServer[] = "https://updates.korvel.invalid";

// The update server's address (scheme, host and port, no "/" at the end):
// the value "UpdateServer" of section "Settings", else DefaultUpdateServer.
// An address without a scheme is taken as http.
QString updateServer();

// Returns the host name in an address, or the address itself when it names
// no host the way a URL does.
QString updateServerHost(const QString& address);

} // namespace quillet
