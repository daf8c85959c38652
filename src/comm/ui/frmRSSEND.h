#pragma once
// The data transfer form: receives observation data from an instrument (showing every
// block and, when the user wants them kept, writing them to a raw file) or sends a prepared
// file to it, over the line the user's settings describe. The card-reader formats go
// through the card routines instead of a recorder protocol.

#include <QDialog>
#include <functional>
#include <memory>

#include "comm/card/CardLink.h"

namespace comm::card {
class CardSession;
}

class QCheckBox;
class QComboBox;
class QPushButton;
class QTextEdit;

namespace platform {
class ClickLabel;
class Prompt;
class SettingsStore;
class TextFileWriter;
}  // namespace platform

namespace comm {
class CommControl;
}

namespace comm_ui {

enum class TransferMode { Receive, Send };

struct TransferContext {
    TransferMode mode = TransferMode::Receive;
    QString format;      // the menu's format code
    QString maker;       // the menu's maker
    QString rsset;       // "9600,n,8,1,1"
    QString rsfuro;      // "0" or "2"
    QString dataFolder;  // where the receive dialog opens
    QString dataFile;    // the file to send
    int limitSeconds = 20;  // silence after which a transfer fails
};

class frmRSSEND : public QDialog, private comm::card::CardSink {
    Q_OBJECT
  public:
    frmRSSEND(TransferContext context, platform::Prompt& prompt, platform::SettingsStore& store,
              QWidget* parent = nullptr);
    ~frmRSSEND() override;

    // The receive file chosen last; empty when the data were not kept.
    const QString& ReceivedFile() const { return receiveFile_; }
    // The line settings the form works with now (the settings form may change them).
    const TransferContext& Context() const { return context_; }

    // Cancel, the window's close button and Escape: the link stops, what came is kept, and
    // the form closes.
    void reject() override;

  private:
    void BuildControls();
    void BuildControl();
    void ShowSettings();
    void EditSettings();
    void ChooseRecorder(int row);
    void KeepRequest(bool on);
    void Receive();
    void Send();
    bool ResetLink();
    bool RunCardRoutine(const std::function<void(comm::card::CardSession&)>& routine);
    void SetBusy(bool busy);
    void OnBlock(const QByteArray& block, bool last);
    void OnRequest(QByteArray& next);
    void OnError(int code);
    void FinishReceive();
    bool OpenReceiveFile();
    void WriteReceived(const QByteArray& raw);
    void KeepReceived();
    void LogLine(const QString& text);
    QString Format() const;
    QString Decode(const QByteArray& bytes) const;

    // The card routines' sink.
    void SaveLine(const QByteArray& raw) override;
    void Log(const QString& text) override;
    void LogMark(const QString& text) override;
    void ClearLog() override;

    TransferContext context_;
    platform::Prompt& prompt_;
    platform::SettingsStore& store_;
    comm::CommControl* control_ = nullptr;
    bool saving_ = false;  // the receive file is open
    bool cancelled_ = false;
    QString receiveFile_;
    std::unique_ptr<platform::TextFileWriter> receiving_;
    QString writeFault_;
    QList<QByteArray> pending_;  // the send file's lines still to go
    QComboBox* recorders_ = nullptr;
    QCheckBox* request_ = nullptr;
    platform::ClickLabel* settings_ = nullptr;
    QTextEdit* log_ = nullptr;
    QPushButton* start_ = nullptr;
    QPushButton* send_ = nullptr;
};

}  // namespace comm_ui
