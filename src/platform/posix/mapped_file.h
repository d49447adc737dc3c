// A large regular file viewed through a read-only mapping of the system's file cache: no
// copy, no zeroed memory, and no page faults while it is read (the mapping is filled when
// it is made).
//
// A mapped file that another process truncates raises SIGBUS where the bytes are gone. A
// handler installed with the first mapping puts zero-filled memory in their place and marks
// the view, so the run goes on and can report the file as unusable (TFileView::Intact)
// instead of crashing.
#pragma once

#include <cstddef>
#include <memory>

#include "platform/platform.h"

namespace zentrel::platform {

/// Maps the first size bytes of the open regular file fd (size > 0); nullptr when the
/// mapping cannot be made or no more files can be guarded at once. fd may be closed
/// afterwards.
std::unique_ptr<TFileView> MapWholeFile(int fd, std::size_t size);

}  // namespace zentrel::platform
