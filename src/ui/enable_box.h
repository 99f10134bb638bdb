#pragma once
// A row's enable check box: the box at the left, the channel digit at the right edge of the
// control, and the whole control clickable.

#include <QCheckBox>

namespace tivra {

class EnableBox : public QCheckBox {
  public:
    EnableBox(const QString& caption, QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override;

  private:
    QRect captionRect(const QRect& indicator) const;
};

}  // namespace tivra
