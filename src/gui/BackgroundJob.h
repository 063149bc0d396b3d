#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

#include "decompiler/engine/RunOptions.h"

class QThread;

namespace products {
namespace zefra {
namespace gui {

// One piece of long work on a thread of its own, with progress and Cancel.
// The work sees a cancel flag it must honour; progress and the end arrive as
// signals on the thread that owns the task. Going away cancels the work and
// waits for it, so no work outlives what it uses.
class BackgroundJob : public QObject {
    Q_OBJECT
public:
    // What the work can see of its task; safe to use from the work's thread.
    class Context {
    public:
        explicit Context(BackgroundJob& task) : _task(task) {}
        bool cancelled() const { return _task._cancel->cancelled(); }
        const decompiler::engine::RunCancel& cancelFlag() const { return *_task._cancel; }
        // Emitted only when done or the phase changes.
        void report(int done, int total, const QString& phase);

    private:
        BackgroundJob& _task;
        int _lastDone = -1;
        QString _lastPhase;
    };
    using Work = std::function<void(Context&)>;

    explicit BackgroundJob(QObject* parent = nullptr);
    ~BackgroundJob() override;

    // False (and nothing starts) while earlier work still runs.
    bool start(Work work);
    void cancel();
    // Cancels and blocks until the work has ended.
    void stop();
    bool isRunning() const { return _thread != nullptr; }

signals:
    void progress(int done, int total, const QString& phase);
    // After the last progress; cancelled tells whether Cancel ended it.
    void finished(bool cancelled);

private:
    void onThreadFinished();

    QThread* _thread = nullptr;
    std::unique_ptr<decompiler::engine::RunCancel> _cancel;
};

}
}
}
