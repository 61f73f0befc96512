#pragma once

#include <QList>
#include <QString>
#include <QUrl>
#include <deque>

#include "platform/TAssociation.h"
#include "platform/TFileDialogs.h"
#include "platform/TMessageBoxes.h"
#include "platform/TShell.h"

// Answers the program's questions from a script and records every message.
class ScriptedMessageBoxes : public TMessageBoxes {
  public:
    struct Shown {
        Kind kind;
        QString text;
        bool plain;
    };

    void Answer(TMessageBoxes::Answer answer) { answers_.push_back(answer); }

    TMessageBoxes::Answer Ask(Kind kind, const QString& text, Buttons buttons) override {
        shown.append({kind, text, false});
        if (answers_.empty()) return buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
        const TMessageBoxes::Answer answer = answers_.front();
        answers_.pop_front();
        return answer;
    }
    void ShowPlain(const QString& text) override { shown.append({Kind::Information, text, true}); }

    QStringList Texts() const {
        QStringList texts;
        for (const Shown& s : shown) texts << s.text;
        return texts;
    }
    size_t Unanswered() const { return answers_.size(); }

    QList<Shown> shown;

  private:
    std::deque<TMessageBoxes::Answer> answers_;
};

// Chooses files from a script; an empty name is a cancelled dialog.
class ScriptedFileDialogs : public TFileDialogs {
  public:
    QString AskOpenFileName(const QString& startFolder) override { return Next(startFolder); }
    QString AskSaveFileName(const QString& startFolder) override { return Next(startFolder); }
    Choice AskOpenFile(const Request& request) override { return NextChoice(request); }
    Choice AskSaveFile(const Request& request) override { return NextChoice(request); }

    void Choose(const QString& path) { names_.push_back(path); }
    // The next dialog with several kinds of file: path chosen with the filter.
    void Choose(const QString& path, int filter) {
        names_.push_back(path);
        filters_.push_back(filter);
    }
    QStringList lastFilters;
    int asked = 0;
    QString lastStartFolder;

  private:
    QString Next(const QString& startFolder) {
        ++asked;
        lastStartFolder = startFolder;
        if (names_.empty()) return {};
        QString name = names_.front();
        names_.pop_front();
        return name;
    }
    Choice NextChoice(const Request& request) {
        lastFilters = request.filters;
        Choice choice{Next(request.startFolder), request.filter};
        if (!filters_.empty()) {
            choice.filter = filters_.front();
            filters_.pop_front();
        }
        return choice;
    }
    std::deque<QString> names_;
    std::deque<int> filters_;
};

// Records what would have been registered with the desktop.
class RecordingAssociation : public TAssociation {
  public:
    void Register() override { ++registered; }
    void Remove() override { ++removed; }
    int registered = 0;
    int removed = 0;
};

// Records the addresses instead of starting a browser or a mail program.
class RecordingShell : public TShell {
  public:
    bool Open(const QUrl& url) override {
        opened.append(url);
        return true;
    }
    QList<QUrl> opened;
};
