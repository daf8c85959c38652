#pragma once
// The data transfer form: receives observation data from an instrument (showing every
// block and, when the user wants them kept, writing them to a raw file) or sends a prepared
// file to it, over the line the user's settings describe. The card-reader formats go
// through the card routines instead of a recorder protocol.

#include <QDialog>
#include <memory>

#include "comm/card/CardLink.h"
#include "comm/link/SerialLine.h"

class QComboBox;
class QPushButton;
class QTextEdit;

namespace platform {
class ClickLabel;
class Prompt;
class SettingsStore;
}  // namespace platform

namespace comm {
class AsyncReceive;
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

  private:
    void BuildControls();
    void ShowSettings();
    void EditSettings();
    void Receive();
    void Send();
    void Cancel();
    bool OpenLine();
    void SetBusy(bool busy);
    void OnBlock(const QByteArray& block, bool last);
    void OnError(int code);
    void FinishReceive();
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
    comm::SerialLine line_;
    std::unique_ptr<comm::AsyncReceive> receive_;
    bool saving_ = false;
    QString receiveFile_;
    QByteArray received_;
    QComboBox* recorders_ = nullptr;
    platform::ClickLabel* settings_ = nullptr;
    QTextEdit* log_ = nullptr;
    QPushButton* start_ = nullptr;
    QPushButton* send_ = nullptr;
};

}  // namespace comm_ui
