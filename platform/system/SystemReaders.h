#pragma once
// What the system information dialog tells of the machine, read from the system's own files under
// a root folder ("/" on a running system; tests give a folder of their own).
#include <QString>

namespace platform {

// "model name" of the first processor in <root>/proc/cpuinfo; "Inconnu" without the file, empty
// when the file has no such line.
QString ProcessorName(const QString& root = QStringLiteral("/"));
// "vendor_id" of the first processor, by the same rules.
QString ProcessorVendor(const QString& root = QStringLiteral("/"));
// The system's name and version from <root>/etc/os-release (its PRETTY_NAME, else NAME and
// VERSION), three spaces, and the kernel's release from <root>/proc/sys/kernel/osrelease;
// "Inconnu" without os-release.
QString SystemVersion(const QString& root = QStringLiteral("/"));

}  // namespace platform
