#pragma once
// Runs a script of driver commands, one a line, against one headless game.

#include "model/seat_defaults.h"

#include <QString>

#include <functional>
#include <iosfwd>
#include <memory>

namespace kroda::headless {

class Session;
class PathTable;

// Exit statuses of the driver.
enum ExitStatus : int {
    ExitOk = 0,
    ExitBadScript = 1,   // a bad command, path or value
    ExitUsage = 2,       // a bad command line or an unreadable script
    ExitBadBoard = 3,    // the board could not be read
    ExitEngineFault = 4  // the game itself failed
};

struct RunnerOptions {
    QString folder;          // the game folder played from unless the script says otherwise
    bool narration = false;  // print each completed narrator message
};

class ScriptRunner {
  public:
    ScriptRunner(const RunnerOptions& options, std::ostream& out, std::ostream& err);
    ~ScriptRunner();
    ScriptRunner(const ScriptRunner&) = delete;
    ScriptRunner& operator=(const ScriptRunner&) = delete;

    // Runs every line of `in`; `name` names the script in error reports. Stops at the first
    // error. Returns the exit status.
    int run(std::istream& in, const QString& name);

    Session& session() { return *session_; }

  private:
    struct Command;
    static const Command* findCommand(const QString& word);

    void execute(const QString& line);
    PathTable& paths();
    void requireStarted() const;
    void requireNotStarted(const char* what) const;
    void print(const QByteArray& text);

    void cmdFolder(const QString& args);
    void cmdPlayers(const QString& args);
    void cmdHuman(const QString& args);
    void cmdComputer(const QString& args);
    void cmdStrong(const QString& args);
    void cmdBankruptCard(const QString& args);
    void cmdSeed(const QString& args);
    void cmdStart(const QString& args);
    void cmdAdvance(const QString& args);
    void cmdWait(const QString& args);
    void cmdPlay(const QString& args);
    void cmdKey(const QString& args);
    void cmdClick(const QString& args);
    void cmdMouse(const QString& args, int event);  // 0 down, 1 move, 2 up
    void cmdMouseDown(const QString& args);
    void cmdMouseMove(const QString& args);
    void cmdMouseUp(const QString& args);
    void cmdDice(const QString& args);
    void cmdAnswer(const QString& args);
    void cmdSet(const QString& args);
    void cmdGet(const QString& args);
    void cmdDump(const QString& args);
    void cmdSimulate(const QString& args);
    void cmdPlaySaves(const QString& args);
    void cmdSave(const QString& args);
    void cmdLoad(const QString& args);
    void setUpPlayer(const QString& args, Controller who);
    void waitCommand(const QString& args, bool closeCards);

    RunnerOptions options_;
    std::ostream& out_;
    std::ostream& err_;
    std::unique_ptr<Session> session_;
    std::unique_ptr<PathTable> paths_;
    // A save file that could not be loaded: reported at once, the script goes on with the
    // game as it was, and the run ends with ExitBadScript.
    bool loadFailed_ = false;
    std::function<void(const QString&)> writeError_;
};

}  // namespace kroda::headless
