// The road through the front end with real mouse and key events: the about window opens and
// closes, the wizard hands over to the game window, a wizard's network seat waits in the
// host's window until the game starts at once, exit ends the program, and pictures that
// cannot be loaded stop the start with the file named.
#include "widgets/front_end.h"
#include "game/save_game.h"
#include "widgets/about_window.h"
#include "widgets/host_window.h"
#include "widgets/network_host.h"
#include "widgets/title_window.h"
#include "widgets/wizard_window.h"

#include "support/fixture_board.h"
#include "support/wait_until.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kroda::widgets {
namespace {

using testing::waitUntil;

const QString kGame = QStringLiteral(KRODA_GAME_DIR);

struct Road {
    FrontEnd front;
    std::vector<int> quits;
    explicit Road(const QString& folder = kGame) : front(folder, SessionOptions{}) {
        front.interactive = false;
        front.quit = [this](int status) { quits.push_back(status); };
    }
    void clickTitle(int i) {
        FrmTitle* w = front.titleWindow();
        const QPoint at = toQRect(front.title().window.ImgButton[i].Button.Geometry).center();
        QTest::mouseMove(w, at);
        QTest::mouseClick(w, Qt::LeftButton, {}, at);
    }
};

// About opens modally after the click; its close button closes it and the title screen is
// back at rest.
TEST(FrontEnd, AboutOpensAndCloses) {
    Road r;
    ASSERT_TRUE(r.front.start());
    r.clickTitle(2);
    ASSERT_TRUE(waitUntil([&] { return r.front.aboutWindow() != nullptr; }));
    FrmAbout* about = r.front.aboutWindow();
    EXPECT_EQ(about->windowTitle(), QStringLiteral("เกี่ยวกับซอฟต์แวร์เกมส์Kroda"));
    EXPECT_TRUE(about->isModal());
    const QPoint close = toQRect(r.front.about()->window.ImgButtonA[1].Button.Geometry).center();
    QTest::mouseClick(about, Qt::LeftButton, {}, close);
    ASSERT_TRUE(waitUntil([&] { return r.front.aboutWindow() == nullptr; }));
    for (const ImageButton& b : r.front.title().window.ImgButton)
        EXPECT_EQ(b.Button.Cell, NormalCell);
    EXPECT_EQ(r.front.title().window.LblDescript.Caption, TitleScreen::restingDescription());
    EXPECT_TRUE(r.quits.empty());
}

// New game, Enter through every page with two computers, and the game window takes over:
// the wizard and the title screen are gone, the game state holds what the wizard wrote.
TEST(FrontEnd, WizardHandsOverToTheGame) {
    Road r;
    ASSERT_TRUE(r.front.start());
    r.clickTitle(0);
    ASSERT_TRUE(waitUntil([&] { return r.front.wizardWindow() != nullptr; }));
    FrmWizard* wizard = r.front.wizardWindow();
    const auto press = [&](Qt::Key key) {
        const Integer before = r.front.session().game().state.WizardStep;
        QTest::keyClick(wizard, key);
        return waitUntil([&] {
            return r.front.session().game().state.WizardStep != before || r.front.handedOver();
        });
    };
    ASSERT_TRUE(press(Qt::Key_Return));
    ASSERT_TRUE(press(Qt::Key_Return));
    ASSERT_TRUE(press(Qt::Key_Return));
    r.front.wizard()->selectOption3(1);
    for (int i = 0; i < 5; ++i) ASSERT_TRUE(press(Qt::Key_Return)) << i;
    ASSERT_TRUE(waitUntil([&] { return r.front.session().gameWindow() != nullptr; }));
    EXPECT_TRUE(waitUntil([&] { return r.front.titleWindow() == nullptr; }));
    const GameState& s = r.front.session().game().state;
    EXPECT_EQ(s.WizardStep, CompletionPage);
    EXPECT_EQ(s.PlayerCount, 2);
    EXPECT_FALSE(s.Players(1).IsHuman);
    EXPECT_TRUE(s.BankruptCardOn);
    EXPECT_TRUE(r.quits.empty()) << "closing the title screen by the hand-over is no exit";
}

// A seat the wizard gives to "ผู้เล่นทางเครือข่าย": the hand-over listens on the port it is
// given (any free one here) and shows the waiting window, that seat listed as free and no
// game window yet; the window's start-at-once button hands the seat to the computer and the
// game window opens.
TEST(FrontEnd, AWizardNetworkSeatWaitsUntilTheHostStartsAtOnce) {
    Road r;
    r.front.hosting.port = 0;
    ASSERT_TRUE(r.front.start());
    r.clickTitle(0);
    ASSERT_TRUE(waitUntil([&] { return r.front.wizardWindow() != nullptr; }));
    FrmWizard* wizard = r.front.wizardWindow();
    const GameState& s = r.front.session().game().state;
    const auto press = [&](Qt::Key key) {
        const Integer before = s.WizardStep;
        QTest::keyClick(wizard, key);
        return waitUntil([&] { return s.WizardStep != before || r.front.handedOver(); });
    };
    // The board, the options, two players, seat 1 a person with his name.
    for (int i = 0; i < 5; ++i) ASSERT_TRUE(press(Qt::Key_Return)) << i;
    // Seat 2's controller page: its third choice, clicked.
    const OptionButton& network = r.front.wizard()->window.Opt3[2];
    ASSERT_EQ(network.Caption, QStringLiteral("ผู้เล่นทางเครือข่าย"));
    QTest::mouseClick(wizard, Qt::LeftButton, {}, toQRect(network.Geometry).center());
    ASSERT_TRUE(waitUntil([&] { return network.Value; }, 5000, "the network choice taken"));
    // Its name page, the completion page, and the hand-over.
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(press(Qt::Key_Return)) << i;
    ASSERT_TRUE(waitUntil(
        [&] {
            return r.front.networkHost() && r.front.networkHost()->waitingWindow() &&
                   r.front.networkHost()->waitingWindow()->isVisible();
        },
        5000, "the host's waiting window"));
    const network::HostSession& host = r.front.networkHost()->session();
    QPointer<HostWindow> waiting = r.front.networkHost()->waitingWindow();
    EXPECT_NE(host.port(), 0);
    EXPECT_NE(host.port(), network::kDefaultPort);
    EXPECT_EQ(host.networkSeats(), QList<int>{2});
    EXPECT_EQ(waiting->seatLines(), QStringList{QStringLiteral("ผู้เล่น 2: ว่าง")});
    EXPECT_EQ(waiting->buttonText(), QStringLiteral("เริ่มเล่นเลย"));
    EXPECT_EQ(r.front.session().gameWindow(), nullptr);
    EXPECT_TRUE(s.Players(2).IsHuman);

    // The button asks first, naming the seat the computer would take: no keeps it open, and a
    // stray Enter gives nothing away.
    QTest::mouseClick(waiting, Qt::LeftButton, {}, HostWindow::buttonRect().center());
    ASSERT_TRUE(waitUntil([&] { return r.front.networkHost()->handOverQuestion() != nullptr; }));
    QPointer<QMessageBox> question = r.front.networkHost()->handOverQuestion();
    EXPECT_TRUE(question->text().contains(QStringLiteral("ผู้เล่น 2")))
        << question->text().toStdString();
    question->button(QMessageBox::No)->click();
    ASSERT_TRUE(waitUntil([&] { return question.isNull(); }));
    EXPECT_EQ(host.networkSeats(), QList<int>{2});
    EXPECT_EQ(r.front.session().gameWindow(), nullptr);
    QTest::keyClick(waiting, Qt::Key_Return);
    ASSERT_TRUE(waitUntil([&] { return r.front.networkHost()->handOverQuestion() != nullptr; }));
    r.front.networkHost()->handOverQuestion()->button(QMessageBox::Yes)->click();
    ASSERT_TRUE(waitUntil([&] { return r.front.session().gameWindow() != nullptr; }, 5000,
                          "the game window"));
    EXPECT_TRUE(host.networkSeats().isEmpty());
    EXPECT_FALSE(s.Players(2).IsHuman);
    EXPECT_TRUE(s.Players(1).IsHuman);
    ASSERT_TRUE(waiting);
    // Nobody took the seat: it is no longer a network seat, and the window lists none.
    EXPECT_TRUE(waiting->seatLines().isEmpty());
    EXPECT_FALSE(waiting->isVisible());
    EXPECT_TRUE(waitUntil([&] { return r.front.titleWindow() == nullptr; }));
    EXPECT_TRUE(r.quits.empty());
}

// Exit ends the program with status 0 after its click.
TEST(FrontEnd, ExitEndsWithStatusZero) {
    Road r;
    ASSERT_TRUE(r.front.start());
    r.clickTitle(4);
    EXPECT_TRUE(waitUntil([&] { return !r.quits.empty(); }));
    EXPECT_EQ(r.quits, std::vector<int>{0});
}

// A game folder without its pictures: the start fails, naming the picture.
TEST(FrontEnd, MissingPicturesStopTheStart) {
    QTemporaryDir empty;
    FrontEnd front(empty.path(), SessionOptions{});
    front.interactive = false;
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(front.start());
    const std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("Title.bmp: the file is missing"), std::string::npos) << err;
    EXPECT_EQ(front.titleWindow(), nullptr);
}

// The wizard's or the about window's picture missing or no picture: the window does not open,
// the file and its fault go to stderr and the program ends with status 1.
TEST(FrontEnd, AMissingOrBrokenWindowPictureEndsWithStatusOne) {
    const struct {
        const char* file;
        std::optional<QByteArray> bytes;
        int button;
        const char* fault;
    } cases[] = {
        {"RsCommon/Wizard.bmp", std::nullopt, 0, "the file is missing"},
        {"RsCommon/About.bmp", QByteArray("BM not a picture"), 2, "not a picture that can be read"},
    };
    for (const auto& c : cases) {
        QTemporaryDir dir;
        ASSERT_TRUE(fixture::gameFolderWith(dir.path(), QLatin1String(c.file), c.bytes));
        Road r(dir.path());
        ASSERT_TRUE(r.front.start());
        ::testing::internal::CaptureStderr();
        r.clickTitle(c.button);
        waitUntil([&] { return !r.quits.empty(); }, 5000, "the end of the program");
        const std::string err = ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(r.quits, std::vector<int>{1}) << c.file;
        EXPECT_NE(err.find(std::string(c.file) + ": " + c.fault), std::string::npos) << err;
        EXPECT_EQ(r.front.wizardWindow(), nullptr) << c.file;
        EXPECT_EQ(r.front.aboutWindow(), nullptr) << c.file;
    }
}

// Continue opens its dialog on the save folder with the autosave chosen; a file that is no
// save leaves the title screen at rest, names the file on stderr and starts no game.
TEST(FrontEnd, ContinueWithABadFileKeepsTheTitleScreen) {
    QDir().mkpath(saveFolder());
    {
        QFile autosave(autosavePath());
        ASSERT_TRUE(autosave.open(QIODevice::WriteOnly));
        autosave.write("{\"format\": \"kroda-save\", trunc");
    }
    Road r;
    ASSERT_TRUE(r.front.start());
    r.clickTitle(1);
    ASSERT_TRUE(waitUntil([&] { return r.front.fileDialog() != nullptr; }));
    auto* dialog = qobject_cast<QFileDialog*>(r.front.fileDialog());
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("อ่านบันทึกจาก"));
    EXPECT_EQ(QDir(dialog->directory()).canonicalPath(), QDir(saveFolder()).canonicalPath());
    EXPECT_EQ(dialog->selectedFiles(), QStringList{autosavePath()});
    ::testing::internal::CaptureStderr();
    static_cast<QDialog*>(dialog)->accept();  // as its Save or Open button does
    ASSERT_TRUE(waitUntil([&] { return r.front.fileDialog() == nullptr; }));
    const std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find(autosavePath().toStdString() + ": "), std::string::npos) << err;
    EXPECT_FALSE(r.front.handedOver());
    EXPECT_NE(r.front.titleWindow(), nullptr);
    EXPECT_EQ(r.front.session().gameWindow(), nullptr);
    EXPECT_EQ(r.front.title().window.ImgButton[1].Icon.Geometry, (Rect{208, 184, 32, 32}));
    EXPECT_EQ(r.front.title().window.LblDescript.Caption, TitleScreen::restingDescription());
    EXPECT_TRUE(r.quits.empty());
    QFile::remove(autosavePath());
}

}  // namespace
}  // namespace kroda::widgets
