#pragma once
// The scanner seen from the scan window: one operation that scans a picture into a named file.
// The component shows whatever it needs (device choice, progress, its own failure messages);
// the window only hands over the file name. SaneScanner is the real one; tests may fake it.
#include <QString>

namespace wk::editing {

class Scanner {
public:
    virtual ~Scanner() = default;
    // Scans one picture into `fileName`; the file's extension names the format. Returns true
    // when the file was written. Failures are reported to the user by the component itself.
    virtual bool AcquireToFile(const QString& fileName) = 0;
    // True while a scan is under way (the window must then stay open).
    virtual bool isBusy() const = 0;
};

} // namespace wk::editing
