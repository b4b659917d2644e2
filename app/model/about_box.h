// The About box: the application's title, the project's credits and its links.
//
// One box serves the whole application. It is shown by the "©" button of either calculator and
// hidden again when the user presses a mouse button in another window of the application. The
// link labels hand their address to the desktop and light up while the mouse is over them.
#pragma once

#include "app/model/controls.h"
#include "app/model/platform.h"

namespace pile {

class AboutBox {
  public:
    static constexpr const char* kCaption = "关于";
    // The project's addresses (placeholders of this project).
    static constexpr const char* kWebSite = "https://www.example.invalid/rockpile/";
    static constexpr const char* kMail = "mailto:pile@example.invalid";
    static constexpr const char* kOrganisationSite = "https://www.example.invalid/";
    static constexpr const char* kUpdatePackage =
        "https://www.example.invalid/rockpile/rockpile-latest.zip";

    explicit AboutBox(UrlOpener& urls);
    AboutBox(const AboutBox&) = delete;
    AboutBox& operator=(const AboutBox&) = delete;

    // Shown or hidden: the box itself.
    Control form;

    Label lb_mokuaiming;
    Label lb_fubiaoti;
    Label lB_copyright;
    Label lb_sheji;
    Label lb_zhucheshi1;
    Label lb_zhuceshi2;
    Label lb_danwei;
    Label lb_wangzhilb;
    Label lb_wangzhi;
    Label lb_lianxi;
    Label lb_lianxiUr;
    Button cbt_update;
    Picture ImageQQ;
    Label lb_banben;  // the version and the commit the program was built from

    void show() { form.setVisible(true); }
    // A mouse press in another window of the application.
    void hide() { form.setVisible(false); }

    void lb_wangzhiClick();
    void lb_lianxiUrClick();
    void lb_danweiClick();
    void cbt_updateClick();

    void lb_wangzhiMouseMove();
    void lb_lianxiUrMouseMove();
    void lb_danweiMouseMove();
    void lb_wangzhiMouseLeave();
    void lb_lianxiUrMouseLeave();
    void lb_danweiMouseLeave();

  private:
    static void highlight(Label& link);
    static void unhighlight(Label& link, TextColour colour);

    UrlOpener& m_urls;
};

}  // namespace pile
