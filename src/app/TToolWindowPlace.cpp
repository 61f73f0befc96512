#include "app/TToolWindowPlace.h"

#include <QScreen>
#include <QWidget>
#include <optional>

#include "app/TWindowPlacement.h"
#include "settings/TSettingsList.h"

TToolWindowPlace::TToolWindowPlace(TSettingsList& settings, QString prefix)
    : settings_(settings), prefix_(std::move(prefix)) {}

void TToolWindowPlace::Place(QWidget& window, const QWidget& owner, const QSize& size) const {
    bool ok[4] = {};
    const QRect stored(
        settings_.Value(Key("Left")).toInt(&ok[0]), settings_.Value(Key("Top")).toInt(&ok[1]),
        settings_.Value(Key("Width")).toInt(&ok[2]), settings_.Value(Key("Height")).toInt(&ok[3]));
    const QRect place = TWindowPlacement::Beside(
        owner.frameGeometry(), size,
        ok[0] && ok[1] && ok[2] && ok[3] ? std::optional(stored) : std::nullopt,
        owner.screen() ? owner.screen()->availableGeometry() : QRect());
    window.resize(place.size());
    window.move(place.topLeft());
}

void TToolWindowPlace::Remember(const QWidget& window) {
    if (window.isHidden() && !window.testAttribute(Qt::WA_WState_ExplicitShowHide)) return;
    const QRect place = window.geometry();
    settings_.SetValue(Key("Left"), QString::number(place.left()));
    settings_.SetValue(Key("Top"), QString::number(place.top()));
    settings_.SetValue(Key("Width"), QString::number(place.width()));
    settings_.SetValue(Key("Height"), QString::number(place.height()));
}
