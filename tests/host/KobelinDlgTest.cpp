// KobelinDlg as a C++ host drives it: its lifecycle, the hand-off during SaveStart, the
// registration dialog over the menu, and the ways the program ends.

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "calcstore/clsConvert2.h"
#include "host/HostFixture.h"
#include "host/KobelinDlg.h"
#include "host/ui/frmTSMENU.h"
#include "notebook/ui/DialogDriver.h"
#include "platform/Database.h"
#include "platform/AutomationError.h"
#include "platform/SingleInstance.h"
#include "trevanto/DemoDistrict.h"

using host::KobelinDlg;
using platform::AutomationError;

namespace {

// A host that does what the host application is told to do on each event.
struct RecordingHost : host::KobelinDlgEvents {
    explicit RecordingHost(KobelinDlg& d) : dlg(d) { dlg.SetEvents(this); }
    void RefreshRegion(qint32 regionId) override { regions.append(regionId); }
    void SaveStart(bool& saveOk) override {
        if (onSave) onSave(saveOk);
    }
    void ProgramEnd() override {
        ++programEnds;
        dlg.ProgramTerm();
    }
    KobelinDlg& dlg;
    QList<qint32> regions;
    int programEnds = 0;
    std::function<void(bool&)> onSave;
};

int OpenMenus() {
    int count = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<host::frmTSMENU*>(w) && w->isVisible()) ++count;
    return count;
}

void ProcessDeferredDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace

class KobelinDlgTest : public HostFixture {};

// The C host (capi_test.c) lives through the same from C: the title before, with and after
// the menu, the empty hand-off object and the errors before and after. Here what it does not see.
TEST_F(KobelinDlgTest, LifecycleFromCreationToProgramTerm) {
    KobelinDlg dlg;
    dlg.SetDataBaseName(QStringLiteral("/srv/district.mdb"));
    EXPECT_EQ(host::Process().DataBaseName, QStringLiteral("/srv/district.mdb"));
    EXPECT_EQ(dlg.GetElementsColsCount(), 0);  // outside SaveStart the hand-off object is empty
    EXPECT_THROW(dlg.GetElementsArray(0, 0), AutomationError);

    dlg.OpenDlg();
    dlg.OpenDlg();  // a second call brings the same window forward
    EXPECT_EQ(OpenMenus(), 1);
    EXPECT_FALSE(platform::SingleInstance(QStringLiteral("trevanto")).Acquire());

    dlg.ProgramTerm();
    ProcessDeferredDeletes();
    EXPECT_EQ(OpenMenus(), 0);
    EXPECT_EQ(host::Process().HandOff, nullptr);
    EXPECT_THROW(dlg.ZahyouCount(), AutomationError);
    EXPECT_NO_THROW(dlg.ProgramTerm());  // a second term is harmless

    // The host lives on: the program is no longer running, and another object may start it.
    EXPECT_TRUE(platform::SingleInstance(QStringLiteral("trevanto")).Acquire());
    KobelinDlg next;
    EXPECT_NO_THROW(next.OpenDlg());
    EXPECT_NE(next.MenuWindow(), nullptr);
    next.ProgramTerm();
    ProcessDeferredDeletes();
}

TEST_F(KobelinDlgTest, ProgramTermWithoutOpenDlgOnlyReleasesTheHandOff) {
    KobelinDlg dlg;
    ASSERT_NE(host::Process().HandOff, nullptr);
    host::Process().HandOff->AddZahyou(QStringLiteral("T1"), 1, QString(), 0);
    dlg.ProgramTerm();
    EXPECT_EQ(host::Process().HandOff, nullptr);
    EXPECT_EQ(OpenMenus(), 0);
    EXPECT_THROW(dlg.GetZahyouMemo(1, *std::make_unique<QString>()), AutomationError);
}

TEST_F(KobelinDlgTest, HostReadsAndRenumbersDuringSaveStart) {
    KobelinDlg dlg;
    RecordingHost host(dlg);
    calcstore::clsConvert2& handOff = *host::Process().HandOff;
    handOff.SetCalcEntry(7, QStringLiteral("閉合トラバー"), 3);
    handOff.AddZahyou(QStringLiteral("T15"), 15, QStringLiteral("既知点"), 12.5);
    handOff.AddZahyou(QStringLiteral("T16"), 16, QString(), calcstore::clsCoord::NoHeight());
    handOff.AddParameter(calcstore::kTypeDouble, 1.5);
    handOff.AddParameter(calcstore::kTypeBoolean, true);
    handOff.AddElementCols(calcstore::kTypeSokuten);
    handOff.AddElementCols(calcstore::kTypeDouble);
    handOff.GetElements().AddItem({15, 123.4567});

    // The C host's round trip reads every getter; here what it does not: a point without a
    // height, the types, a memo by key and the calls that must fail.
    host.onSave = [&](bool& saveOk) {
        EXPECT_FALSE(saveOk);
        ASSERT_EQ(dlg.ZahyouCount(), 2);
        dlg.SetZahyouID(QStringLiteral("C15"), 1203);
        EXPECT_EQ(dlg.GetNewZahyou(15), 1203);
        QString name;
        qint32 id = 0;
        double z = 0;
        dlg.GetZahyouData(2, name, id, z);
        EXPECT_EQ(z, calcstore::clsCoord::NoHeight());
        QString memo;
        dlg.GetZahyouMemo(QStringLiteral("C15"), memo);
        EXPECT_EQ(memo, QStringLiteral("既知点"));
        EXPECT_EQ(dlg.GetParameterType(2), QVariant(qint32(4)));
        EXPECT_EQ(dlg.GetParameterValue(2), QVariant(true));
        EXPECT_EQ(dlg.GetElementsColsCount(), 2);
        EXPECT_EQ(dlg.GetElementsColsType(0), QVariant(qint32(5)));
        EXPECT_EQ(dlg.GetElementsRowsCount(), 1);
        EXPECT_EQ(dlg.GetElementsArray(0, 1), QVariant(123.4567));
        EXPECT_THROW(dlg.GetElementsArray(1, 0), AutomationError);
        EXPECT_THROW(dlg.SetZahyouID(QStringLiteral("C99"), 1), AutomationError);
        saveOk = true;
    };
    bool ok = false;
    EXPECT_TRUE(handOff.Save(ok));
    EXPECT_TRUE(ok);

    host.onSave = [](bool&) {};  // a host that stores nothing
    EXPECT_FALSE(handOff.Save(ok));

    handOff.RaiseRefreshRegion(42);
    EXPECT_EQ(host.regions, QList<qint32>{42});
}

// Once the menu is open, the hand-off object asks with the registration dialog, over the
// menu, in the district the host handed over; a folder renamed there reaches the host.
TEST_F(KobelinDlgTest, OpenDlgLetsTheHandOffAskWithTheRegistrationDialog) {
    const QString database = folder_ + QStringLiteral("/district.mdb");
    platform::Database::Create(database);
    trevanto_host::FillDemoDistrict(database);
    KobelinDlg dlg;
    RecordingHost host(dlg);
    dlg.SetRegID(42);
    dlg.SetRegName(QStringLiteral("西ノ宮"));
    dlg.SetDataBaseName(database);
    bool ok = true;
    host::Process().HandOff->GetCalcName(7, ok);  // no window to ask in yet
    EXPECT_FALSE(ok);

    dlg.OpenDlg();
    test::WhenShown([&](QWidget* dialog) {
        EXPECT_EQ(dialog->parentWidget(), dlg.MenuWindow());
        EXPECT_EQ(test::Child<QComboBox>(dialog, "IcTree")->itemText(0), u"西ノ宮");
        EXPECT_EQ(test::Child<QLineEdit>(dialog, "txtName")->text(), u"閉合トラバー");
        auto* list = test::Child<QListWidget>(dialog, "Lv");
        list->setCurrentRow(1);
        QTest::keyClick(list, Qt::Key_F2);
        auto* editor = list->findChild<QLineEdit*>();
        ASSERT_NE(editor, nullptr);
        editor->setText(QStringLiteral("細部測量（旧）"));
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents();  // the label is committed from the event loop
        test::Click(dialog, "btnSave");
    });
    host::Process().HandOff->GetCalcName(7, ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(dlg.CalcNo(), 7);
    EXPECT_EQ(dlg.CalcName(), u"閉合トラバー");
    EXPECT_EQ(dlg.CalcParentID(), 0);
    EXPECT_EQ(host.regions, QList<qint32>{42});
    dlg.ProgramTerm();
    ProcessDeferredDeletes();
}

TEST_F(KobelinDlgTest, MenuItemEightAndTheCloseBoxEndTheProgram) {
    for (bool closeBox : {false, true}) {
        KobelinDlg dlg;
        RecordingHost host(dlg);
        dlg.OpenDlg();
        host::frmTSMENU* menu = dlg.MenuWindow();
        ASSERT_NE(menu, nullptr);
        if (closeBox)
            menu->close();
        else
            QTest::mouseClick(menu->findChild<QPushButton*>(QStringLiteral("TSMENU7")),
                              Qt::LeftButton);
        ProcessDeferredDeletes();
        EXPECT_EQ(host.programEnds, 1) << closeBox;
        EXPECT_EQ(OpenMenus(), 0);
        EXPECT_EQ(host::Process().HandOff, nullptr);
    }
}

// The host's own windows live in the same process; only the program's go.
TEST_F(KobelinDlgTest, ProgramTermClosesOnlyTheProgramsWindows) {
    QWidget hostWindow;
    hostWindow.show();
    QDialog hostDialog;
    hostDialog.show();
    KobelinDlg dlg;
    dlg.OpenDlg();
    auto* form = new QDialog(dlg.MenuWindow());
    form->show();
    auto* inner = new QDialog(form);
    inner->show();
    dlg.ProgramTerm();
    EXPECT_FALSE(form->isVisible());
    EXPECT_FALSE(inner->isVisible());
    EXPECT_TRUE(hostWindow.isVisible());
    EXPECT_TRUE(hostDialog.isVisible());
    ProcessDeferredDeletes();
    EXPECT_EQ(OpenMenus(), 0);
}

// A host may drop the object while the program ends from inside the menu's own button.
TEST_F(KobelinDlgTest, HostMayDeleteTheObjectFromProgramEnd) {
    struct DroppingHost : host::KobelinDlgEvents {
        void RefreshRegion(qint32) override {}
        void SaveStart(bool&) override {}
        void ProgramEnd() override {
            dlg->ProgramTerm();
            dlg.reset();
        }
        std::unique_ptr<KobelinDlg> dlg = std::make_unique<KobelinDlg>();
    } host;
    host.dlg->SetEvents(&host);
    host.dlg->OpenDlg();
    QTest::mouseClick(host.dlg->MenuWindow()->findChild<QPushButton*>(QStringLiteral("TSMENU7")),
                      Qt::LeftButton);
    EXPECT_EQ(host.dlg, nullptr);
    ProcessDeferredDeletes();
    EXPECT_EQ(OpenMenus(), 0);

    // Dropped with its menu still open, it takes the menu along the same way.
    auto dlg = std::make_unique<KobelinDlg>();
    dlg->OpenDlg();
    dlg.reset();
    ProcessDeferredDeletes();
    EXPECT_EQ(OpenMenus(), 0);
}

// Numbering rules read before the menu opens can already tell the user what is wrong.
TEST_F(KobelinDlgTest, ObjectInAWindowedProcessCanShowMessages) {
    platform::SetActivePrompt(nullptr);
    KobelinDlg dlg;
    EXPECT_TRUE(platform::HasActivePrompt());
    platform::SetActivePrompt(&prompt_);
}
