#pragma once

#include <QString>
#include <QStringList>

#include "settings/TCountTarget.h"

class TSettingsList;

// The targets of documents and of their items, kept in the settings (never in the
// document, whose format stays as it is): one line a document, named after its path
// ("CountTarget" and a digest of the path), whose value holds the path, the document's
// target and the targets of items by the labels from the top level down to the item.
class TCountTargets {
  public:
    explicit TCountTargets(TSettingsList& settings) : settings_(settings) {}

    TCountTarget Document(const QString& documentPath) const;
    void SetDocument(const QString& documentPath, const TCountTarget& target);
    TCountTarget Item(const QString& documentPath, const QStringList& labels) const;
    void SetItem(const QString& documentPath, const QStringList& labels,
                 const TCountTarget& target);

    // The settings key of a document's targets.
    static QString KeyOf(const QString& documentPath);

  private:
    TSettingsList& settings_;
};
