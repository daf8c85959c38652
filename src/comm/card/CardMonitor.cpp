#include "comm/card/CardMonitor.h"

#include "comm/card/CardFrame.h"
#include "comm/card/CardMessages.h"
#include "comm/card/CardStatus.h"
#include "platform/CodePage.h"
#include "platform/Prompt.h"

namespace comm::card {
namespace {

constexpr int kInitialiseAnswer = -9999;
constexpr int kNameCharacters = 7;

struct CardView {
    CardStatus status;
    QList<CardFile> files;
};

// What the user asked for: a file to use, the card to be read again from the start, or
// nothing.
enum class Step { Chosen, Again, GiveUp };

std::optional<CardView> ReadCard(CardSession& session, MonitorMode mode) {
    session.Sink().Log(QStringLiteral("      << ＳＯＫＫＩＡ CARD READER SCR3 >>     SCR2ﾓﾆﾀ-ﾓ-ﾄﾞ - 状態受信 -\n\n"));
    QByteArray carry;
    if (!session.Transact("R,WHO,00000000", carry)) return std::nullopt;
    const QByteArray version = session.Data();
    if (mode == MonitorMode::Read) session.Sink().SaveLine(version);
    if (!session.Transact("R,SME,00000000", carry)) return std::nullopt;
    if (mode == MonitorMode::Read) session.Sink().SaveLine(session.Data());
    CardView view{ParseStatus(session.Data()), {}};

    QByteArray directory;
    bool accepted = session.Transact("R,DIR,000000,0", carry);
    // Bounded by the entries a directory holds, so that a reader that never stops
    // answering "more" cannot hold the monitor.
    while (accepted && HasMoreData(session.Reply()) &&
           directory.size() < kMaxDirectoryEntries * kDirectoryEntryBytes) {
        directory += session.Data();
        accepted = session.Transact("R,DIR,000000,1", carry);
    }
    if (!accepted) return std::nullopt;
    directory += session.Data();
    view.files = ParseDirectory(directory);
    session.Sink().Log(StatusReport(version, view.status, view.files));
    return view;
}

bool Confirm(CardSession& session, const QString& question) {
    return session.Prompt().Message(question, platform::DefaultPromptTitle(), platform::PromptIcon::Question,
                                    platform::PromptButtons::YesNo) == platform::PromptAnswer::Yes;
}

QString FileNumberPrompt(qsizetype fileCount) {
    return QStringLiteral(" 取り込み ﾃﾞ-ﾀ ﾌｧｲﾙ No ( 1 -") + QString::number(fileCount) + QStringLiteral(") ? ") +
           QStringLiteral("\n\n  < Cardﾌｧｲﾙﾒﾝﾃﾅﾝｽ >\n    削 除 ： ﾏｲﾅｽ ﾌｧｲﾙ No\n      カ－ド初期化 ： -9999");
}

Step ChooseToRead(CardSession& session, const QList<CardFile>& files, QByteArray& chosen) {
    for (;;) {
        const auto answer = session.Prompt().Input(FileNumberPrompt(files.size()), QStringLiteral("ファイル番号入力"), {});
        if (!answer || answer->trimmed().isEmpty()) return Step::GiveUp;
        const int number = answer->trimmed().toInt();  // anything else reads as 0: ask again
        QByteArray carry;
        if (number == kInitialiseAnswer) {
            if (!Confirm(session, QStringLiteral("カ－ドの初期化を実行してよろしいですか？"))) continue;
            if (session.Transact("M,CLR,SKMINIP.", carry)) session.Transact("F,FIL,00000,03", carry);
            return Step::Again;
        }
        const int index = qAbs(number);
        if (index == 0 || index > files.size()) continue;
        const CardFile& file = files[index - 1];
        if (number > 0) {
            if (file.size <= 0) continue;
            chosen = file.name;
            return Step::Chosen;
        }
        const QString question = QStringLiteral("ﾃﾞ-ﾀ ﾌｧｲﾙ No") + QString::number(index) + QStringLiteral(" <") +
                                 platform::cp932::Decode(file.name.left(kNameCharacters)) +
                                 QStringLiteral("> を削除してよろしいですか？");
        if (!Confirm(session, question)) continue;
        session.Transact("D,FIL," + file.name, carry);
        return Step::Again;
    }
}

// The card name for what the user typed: cut to seven characters (whole CP932 characters,
// at most seven bytes), padded with '*', then the type letter 'A'.
QByteArray CardNameFor(const QString& answer) {
    return platform::cp932::Encode(platform::cp932::CutToBytes(answer, kNameCharacters)).leftJustified(kNameCharacters, '*') + 'A';
}

Step ChooseToWrite(CardSession& session, QByteArray& chosen) {
    for (;;) {
        const auto answer = session.Prompt().Input(QStringLiteral("登録ファイル名称 (MAX.7)"), QStringLiteral("ファイル名入力"), {});
        if (!answer || answer->isEmpty()) return Step::GiveUp;
        if (answer->contains(u'.') || answer->contains(u'?')) continue;
        chosen = CardNameFor(*answer);
        QByteArray carry;
        if (!session.Transact("C,FIL,00000000", carry) || !session.Transact("O,FWR," + chosen, carry)) {
            return Step::GiveUp;
        }
        return Step::Chosen;
    }
}

}  // namespace

std::optional<MonitorChoice> RunCardMonitor(CardSession& session, MonitorMode mode) {
    for (;;) {
        const std::optional<CardView> view = ReadCard(session, mode);
        if (!view) return std::nullopt;
        if (view->files.isEmpty()) {
            ShowCardMessage(session.Prompt(), kNoCardFiles);
            return std::nullopt;
        }
        QByteArray chosen;
        const Step step = mode == MonitorMode::Read ? ChooseToRead(session, view->files, chosen)
                                                    : ChooseToWrite(session, chosen);
        if (step == Step::GiveUp) return std::nullopt;
        if (step == Step::Chosen) return MonitorChoice{chosen, view->status.freeBytes};
    }
}

}  // namespace comm::card
