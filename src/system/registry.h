#pragma once

#include <windows.h>

#include <string>

#include "setup/message_sink.h"

// Every access to the product key and the uninstall entry. Each function
// opens and closes its own key. A failure goes to messages (a box in an
// interactive run, the log in one without pages) with the function's
// message, the key as its detail, and yields false or an empty text;
// nothing is thrown, and callers carry on.

inline constexpr char kUninstallListKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

// Writes a string value, creating the key and the keys above it.
bool WriteRegString(HKEY root, const std::string& key_path, const std::string& name, const std::string& value,
                    stp::MessageSink& messages);
// Reads a string value; creates the key when it is missing. A missing key or
// value gives the empty text without a message.
std::string ReadRegString(HKEY root, const std::string& key_path, const std::string& name,
                          stp::MessageSink& messages);
// Deletes a key with all its subkeys. A key that is missing or that the
// system refuses to delete is no failure.
bool DeleteRegKey(HKEY root, const std::string& key_path, stp::MessageSink& messages);
// Writes the uninstall entry below HKEY_LOCAL_MACHINE: DisplayName, then UninstallString.
bool RegisterUninstall(const std::string& entry_name, const std::string& display_name,
                       const std::string& uninstall_command, stp::MessageSink& messages);
// Deletes the uninstall entry with its subkeys.
bool DeregisterUninstall(const std::string& entry_name, stp::MessageSink& messages);
