#pragma once
// The scanner component over SANE. One call to AcquireToFile is one SANE session: sane_init,
// the device list, the device (the only one, or the one the user picks), the options, one
// image, sane_exit. A session per scan reads the SANE configuration afresh each time (so a
// scanner switched on later is found, and SANE_CONFIG_DIR is honoured) and leaves no device
// open between scans or at the end of the program.
//
// The slow SANE calls run on a worker thread while a modal progress dialog with Cancel keeps
// the window alive; on Cancel the worker stops after the read under way (one chunk) and calls
// sane_cancel. The image is written in the format its file
// extension names (.bmp, .jpg/.jpeg, .png), through a temporary file so that a failed write
// never leaves half a picture behind. Every failure is a message box; none ends the program.
#include "editing/Scanner.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QVariant>

#include <atomic>
#include <functional>

class QProgressDialog;
class QWidget;

namespace wk::controls {
class Prompts;
}

namespace wk::editing {

class SaneScanner : public QObject, public Scanner {
    Q_OBJECT
public:
    // One device option to set before scanning, by its SANE name ("mode", "resolution",
    // "br-x", ...). Numbers go to integer and fixed-point options, texts to string options.
    // An option the device lacks, or that is inactive, is passed over.
    struct Option {
        QByteArray name;
        QVariant value;
    };
    // Given the labels of several devices, returns the index of the chosen one, or -1 when
    // the user declined.
    using DeviceChooser = std::function<int(const QStringList& labels)>;

    // A file name that is not a full path is taken from `programDirectory`.
    SaneScanner(controls::Prompts& prompts, const QString& programDirectory, QWidget* dialogParent = nullptr);
    ~SaneScanner() override;

    bool AcquireToFile(const QString& fileName) override;
    bool isBusy() const override { return busy_; }

    void setOptions(const QList<Option>& options) { options_ = options; }
    void setDeviceChooser(DeviceChooser chooser) { chooser_ = std::move(chooser); }
    // Colour at 300 dpi where the device offers them: what a scrapbook photo wants.
    static QList<Option> photoOptions();

    // The title of the component's message boxes.
    static QString messageTitle();

public Q_SLOTS:
    // Stops the scan under way (the progress dialog's Cancel); nothing is written.
    void cancel();

Q_SIGNALS:
    // While reading: percent of the image read so far (0 to 100), or -1 when the device does
    // not know the image height in advance.
    void progressChanged(int percent);

private:
    struct ScanResult;
    void scanOnWorker(const QByteArray& device, ScanResult& result);
    void runOnWorker(const std::function<void()>& work, const QString& label);
    void reportProgress(int percent);
    int chooseDevice(const QStringList& labels);

    controls::Prompts& prompts_;
    const QString programDirectory_;
    QPointer<QWidget> dialogParent_;
    QList<Option> options_;
    DeviceChooser chooser_;
    bool busy_ = false;
    QProgressDialog* progress_ = nullptr;
    std::atomic<bool> cancelRequested_{false}; // set here, read by the worker after each read
};

} // namespace wk::editing
