#include "childprocess.h"

#include <QDeadlineTimer>
#include <QProcess>
#include <QProcessEnvironment>

#include <csignal>
#include <sys/prctl.h>
#include <unistd.h>

namespace childprocess {

void dieWithParent()
{
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
}

void leadGroup()
{
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    ::setpgid(0, 0);
}

void prepare(QProcess &process, const QProcessEnvironment &environment)
{
    process.setProcessEnvironment(environment);
    process.setChildProcessModifier(dieWithParent);
}

void end(QProcess &process)
{
    if (process.state() == QProcess::NotRunning)
        return;
    process.kill();
    process.waitForFinished(ToolTimeout);
}

void endGroup(QProcess *leader)
{
    if (!leader || leader->processId() <= 0)
        return;
    ::kill(-pid_t(leader->processId()), SIGKILL);
    leader->waitForFinished(ToolTimeout);
}

QByteArray firstLine(QProcess &process)
{
    QByteArray output;
    const QDeadlineTimer deadline(ToolTimeout);
    while (!output.contains('\n') && process.state() == QProcess::Running && !deadline.hasExpired()) {
        process.waitForReadyRead(int(deadline.remainingTime()));
        output += process.readAllStandardOutput();
    }
    return output.contains('\n') ? output.trimmed() : QByteArray();
}

} // namespace childprocess
