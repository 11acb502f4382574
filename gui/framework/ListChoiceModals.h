#pragma once

#include "NModalWidget.h"

#include <QStringList>

class NButtonModal;
class NSearchWidget;
class TauntsTreeView;
class VersionTreeView;

// Picks one entry of a list and returns its text: Select (or Enter, or a double click) returns the
// selected entry once and closes; Cancel (or Escape) closes with the off sound.
class ListChoiceModal : public NModalWidget
{
    Q_OBJECT

public:
    NButtonModal* SelectButton() const { return m_select; }
    NButtonModal* CancelButton() const { return m_cancel; }

public slots:
    void DoButtonOKClick() override;
    void DoButtonCancelClick() override;

protected:
    explicit ListChoiceModal(const QString& title);
    // The Select and Cancel buttons, made once.
    void MakeButtons();
    virtual QString Selected() const = 0;
    virtual void Return(const QString& value) = 0;
    // Whether a confirmed choice plays the on sound.
    bool m_playConfirmSound = false;

private:
    NButtonModal* m_select = nullptr;
    NButtonModal* m_cancel = nullptr;
    bool m_returned = false;
};

// The three version lists share one shape.
class VersionChoiceModal : public ListChoiceModal
{
    Q_OBJECT

public:
    VersionTreeView* List() const { return m_list; }

protected:
    VersionChoiceModal(const QString& title, VersionTreeView* list);
    QString Selected() const override;

private:
    VersionTreeView* m_list = nullptr;
};

class SelectAiProjectVersionModal final : public VersionChoiceModal
{
    Q_OBJECT

public:
    // The versions (tags) of the AI project.
    explicit SelectAiProjectVersionModal(const QStringList& projectVersions);

signals:
    void OnVersionClick(QString version);

protected:
    void Return(const QString& value) override { emit OnVersionClick(value); }
};

class SelectEngineVersionModal final : public VersionChoiceModal
{
    Q_OBJECT

public:
    SelectEngineVersionModal();

signals:
    void OnEngineVersionClick(QString engineVersion);

protected:
    void Return(const QString& value) override { emit OnEngineVersionClick(value); }
};

class SelectGameVersionModal final : public VersionChoiceModal
{
    Q_OBJECT

public:
    SelectGameVersionModal();

signals:
    void OnGameVersionClick(QString gameVersion);

protected:
    void Return(const QString& value) override { emit OnGameVersionClick(value); }
};

// A chat taunt, with a search field over the list.
class SelectTauntModal final : public ListChoiceModal
{
    Q_OBJECT

public:
    SelectTauntModal();

    TauntsTreeView* List() const { return m_list; }
    NSearchWidget* Search() const { return m_search; }

signals:
    void OnTauntClick(QString tauntID);

protected:
    QString Selected() const override;
    void Return(const QString& value) override { emit OnTauntClick(value); }

private:
    TauntsTreeView* m_list = nullptr;
    NSearchWidget* m_search = nullptr;
};
