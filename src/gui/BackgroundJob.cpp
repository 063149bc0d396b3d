#include "gui/BackgroundJob.h"

#include <QThread>

namespace products {
namespace zefra {
namespace gui {

void BackgroundJob::Context::report(int done, int total, const QString& phase) {
    if (done == _lastDone && phase == _lastPhase) return;
    _lastDone = done;
    _lastPhase = phase;
    emit _task.progress(done, total, phase);
}

BackgroundJob::BackgroundJob(QObject* parent)
    : QObject(parent), _cancel(std::make_unique<decompiler::engine::RunCancel>()) {}

BackgroundJob::~BackgroundJob() { stop(); }

bool BackgroundJob::start(Work work) {
    if (_thread) return false;
    _cancel = std::make_unique<decompiler::engine::RunCancel>();
    _thread = QThread::create([this, work = std::move(work)] {
        Context context(*this);
        work(context);
    });
    connect(_thread, &QThread::finished, this, &BackgroundJob::onThreadFinished, Qt::QueuedConnection);
    _thread->start();
    return true;
}

void BackgroundJob::cancel() { _cancel->cancel(); }

void BackgroundJob::stop() {
    if (!_thread) return;
    _cancel->cancel();
    _thread->wait();
    delete _thread;
    _thread = nullptr;
}

void BackgroundJob::onThreadFinished() {
    if (!_thread || !_thread->isFinished()) return;
    _thread->wait();
    delete _thread;
    _thread = nullptr;
    emit finished(_cancel->cancelled());
}

}
}
}
