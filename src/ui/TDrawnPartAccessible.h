#pragma once

#include <QAccessibleInterface>
#include <QPointer>
#include <QWidget>

// What assistive technology sees of a part of a window that is drawn, not a widget
// of its own: a button of the skin, an entry of a drawn menu, a row of the outline.
// It lives as long as its owner widget; its place is given in the owner's pixels.
class TDrawnPartAccessible : public QAccessibleInterface {
  public:
    TDrawnPartAccessible(QWidget* owner, QAccessibleInterface* parent);

    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override { return parent_; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;

  protected:
    // Where the part is, in the owner's pixels.
    virtual QRect LocalRect() const = 0;
    QWidget* Owner() const { return owner_; }

  private:
    QPointer<QWidget> owner_;
    QAccessibleInterface* parent_;
};
