// The About box.
#include "app/model/about_box.h"

#include "core/program_version.h"

namespace pile {

namespace {

constexpr const char* kOrganisationName = "(rockpile project)";

}  // namespace

AboutBox::AboutBox(UrlOpener& urls) : m_urls(urls) {
    form.setVisible(false);
    lb_mokuaiming.setText("嵌岩桩承载力计算");
    lb_fubiaoti.setText("(依据 DBJ 50-200-2014)");
    lB_copyright.setText("Copyright © rockpile project");
    lb_sheji.setText("设计：项目组");
    lb_zhucheshi1.setText("结构工程");
    lb_zhuceshi2.setText("岩土工程");
    lb_danwei.setText(kOrganisationName);
    lb_wangzhilb.setText("网址：");
    lb_wangzhi.setText("www.example.invalid");
    lb_wangzhi.setTextColour(TextColour::Blue);
    lb_lianxi.setText("邮箱：");
    lb_lianxiUr.setText("pile@example.invalid");
    lb_lianxiUr.setTextColour(TextColour::Blue);
    cbt_update.setText("更新");
    lb_banben.setText("版本 " + ProgramVersionText());
}

void AboutBox::lb_wangzhiClick() { m_urls.openUrl(kWebSite); }
void AboutBox::lb_lianxiUrClick() { m_urls.openUrl(kMail); }
void AboutBox::lb_danweiClick() { m_urls.openUrl(kOrganisationSite); }
void AboutBox::cbt_updateClick() { m_urls.openUrl(kUpdatePackage); }

void AboutBox::highlight(Label& link) {
    link.setBold(true);
    link.setUnderline(true);
    link.setTextColour(TextColour::Red);
}

void AboutBox::unhighlight(Label& link, TextColour colour) {
    link.setBold(false);
    link.setUnderline(false);
    link.setTextColour(colour);
}

void AboutBox::lb_wangzhiMouseMove() { highlight(lb_wangzhi); }
void AboutBox::lb_lianxiUrMouseMove() { highlight(lb_lianxiUr); }

void AboutBox::lb_danweiMouseMove() {
    highlight(lb_danwei);
    lb_danwei.setText(kOrganisationSite);
}

void AboutBox::lb_wangzhiMouseLeave() { unhighlight(lb_wangzhi, TextColour::Blue); }
void AboutBox::lb_lianxiUrMouseLeave() { unhighlight(lb_lianxiUr, TextColour::Blue); }

void AboutBox::lb_danweiMouseLeave() {
    unhighlight(lb_danwei, TextColour::Black);
    lb_danwei.setText(kOrganisationName);
}

}  // namespace pile
