#pragma once

#include <QByteArrayView>
#include <QString>

// Whole-file replacement that never leaves a half-written file behind: the bytes go to a
// temporary file in the same folder, are flushed to the disk, and the temporary file is
// renamed over the target. A symbolic link at `path` stays a link: its target is replaced.
// An existing file keeps its permission bits; a new one gets `newFileMode`. The folder is
// created when missing. On failure the old file is untouched and `error` says why.
bool WriteFileAtomically(const QString& path, QByteArrayView bytes, unsigned newFileMode,
                         QString* error = nullptr);

// Renames `path` to `base`, or `base.1`, `base.2`, ... whichever does not exist yet; an
// existing file is never replaced. Returns the new name, or an empty string on failure.
QString MoveAsideWithoutReplacing(const QString& path, const QString& base);
