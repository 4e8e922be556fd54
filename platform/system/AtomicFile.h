#pragma once
// Replacing a file all at once: the new bytes go to a temporary file in the same folder, are
// flushed to the disk and renamed over the old file, so a reader (or the next start after a crash
// or a power cut) sees either the old file whole or the new one whole, never a mix.
#include <QByteArray>
#include <QString>

#include <functional>

namespace platform {

// The steps of a save, for fault injection.
enum class SaveStep { Create, Write, Sync, Rename };

// Writes `bytes` to `path`, replacing any earlier file, which keeps its permissions. On any failure
// the earlier file is left as it was, the temporary file is removed, false is returned and `error`
// (when given) says what failed.
bool WriteFileAtomically(const QString& path, const QByteArray& bytes, QString* error = nullptr);

// Tests only: a hook called before each step of every save with the temporary file's descriptor
// (-1 before it exists). Returning an errno value makes that step fail as if the system had
// refused it; returning 0 lets it go on. An empty hook removes it.
using SaveFaultHook = std::function<int(SaveStep step, int fd)>;
void SetSaveFaultHook(SaveFaultHook hook);

}  // namespace platform
