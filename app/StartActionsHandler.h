#pragma once

#include "Singleton.h"
#include "WorkerThread.h"

#include <QList>
#include <functional>

// Start-up housekeeping on its own thread: each registered action runs once, in order.
class StartActionsHandler : public WorkerThread, public Singleton<StartActionsHandler>
{
    Q_OBJECT
    friend class Singleton<StartActionsHandler>;

public:
    using Action = std::function<void()>;

    // Temporary copies of saves are left alone while younger than this: another copy of the
    // program may be saving right now.
    static constexpr int LeftoverAgeSeconds = 600;

    // Actions are added before Start (start-up adds the engine-settings refresh, for example).
    void AddAction(const QString& name, Action action);
    // Runs every action on the worker and returns when they are done.
    static void Start();

signals:
    void OnStartActionsStop();

public slots:
    void DoInitialize();
    void DoStart();
    void DoDestroy();

private:
    StartActionsHandler();
    ~StartActionsHandler() override;

    QList<QPair<QString, Action>> m_actions;
};
