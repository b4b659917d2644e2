// TBVK_HAP_FRM_CopyRight, the About box: one instance for the application. It hides itself
// when the user presses a mouse button in another window of the application.
#pragma once

#include <QLabel>

#include <functional>

#include "app/model/about_box.h"
#include "app/qt/theme.h"
#include "app/qt/widget_sync.h"

class QPushButton;

namespace pile {

// A label that takes mouse events: click, movement over it and leaving it.
class LinkLabel : public QLabel {
  public:
    explicit LinkLabel(QWidget* parent);

    std::function<void()> clicked;
    std::function<void()> moved;
    std::function<void()> left;

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
};

class TBVK_HAP_FRM_CopyRight : public GradientWindow {
  public:
    TBVK_HAP_FRM_CopyRight(AboutBox& model, ErrorBox& errors);

    void dispatch(const std::function<void()>& handler);
    // Shows or hides the box as the model says.
    void syncFromModel();

    QLabel* lb_mokuaiming;
    QLabel* lb_fubiaoti;
    QLabel* lB_copyright;
    QLabel* lb_sheji;
    QLabel* lb_zhucheshi1;
    QLabel* lb_zhuceshi2;
    LinkLabel* lb_danwei;
    QLabel* lb_wangzhilb;
    LinkLabel* lb_wangzhi;
    QLabel* lb_lianxi;
    LinkLabel* lb_lianxiUr;
    QPushButton* cbt_update;
    QLabel* ImageQQ;
    QLabel* lb_banben;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    AboutBox& m_model;
    ErrorBox& m_errors;
    WidgetSync m_sync;
};

}  // namespace pile
