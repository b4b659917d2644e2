// Defaults, item lists, grid columns and the two reference tables of the soil screens.
#include "soil/soil_data.h"

namespace pile {

PileSection pileSectionOf(const InputTexts& texts) {
    return PileSection{texts.section, texts.dd, texts.tyzd};
}

const std::vector<std::string>& surfaceLoadItems() {
    static const std::vector<std::string> items{"0.00",  "5.00",   "10.00",  "20.00",
                                                "50.00", "100.00", "150.00", "200.00"};
    return items;
}

const std::vector<std::string>& layerCountItems() {
    static const std::vector<std::string> items = [] {
        std::vector<std::string> v;
        for (int i = 1; i <= kMaxSoilLayers; ++i) v.push_back(std::to_string(i));
        return v;
    }();
    return items;
}

const std::array<GridColumn, kDragGridColumns>& dragGridColumns() {
    static const std::array<GridColumn, kDragGridColumns> columns{{
        {"Grid1_01_Str_Xuhao", "土层"},
        {"Grid1_02_Str_Tucheng", "土层名称"},
        {"Grid1_03_Flo_Chengdibiaogao", "底标高Ei(m)"},
        {"Grid1_04_Flo_Turongzhong", "γi(kN/m3)"},
        {"Grid1_05_Flo_Kesaini", "  ξni"},
        {"Grid1_06_Flo_Tuchengqsik", "qsik(kPa)"},
        {"Grid1_07_Flo_Zhuangzhouchang", "周长μ(m)"},
        {"Grid1_08_Flo_Tuchenghoudu", "土层Δzi(m)"},
        {"Grid1_09_Flo_TuSegmaiup", "顶σisu'(kPa)"},
        {"Grid1_10_Flo_TuSegmari", "自重σris'(kPa)"},
        {"Grid1_11_Flo_TuSegmaidown", "底σisd'(kPa)"},
        {"Grid1_12_Flo_TuSegmaipingjun", "层平均σisv'"},
        {"Grid1_13_Flo_Zhuangcetuhou", "桩侧土厚li(m)"},
        {"Grid1_14_Flo_ZhuangSegmaiup", "顶σipu'(kPa)"},
        {"Grid1_15_Flo_TuSegmari", "自重σrip'(kPa)"},
        {"Grid1_16_Flo_ZhuangSegmaidown", "底σipd'(kPa)"},
        {"Grid1_17_Flo_TuSegmaipingjun", "层平均σipv'"},
        {"Grid1_18_Flo_Zhuangceqsinup", "顶qsinpu(kPa)"},
        {"Grid1_19_Flo_Zhuangceqsindown", "底qsinpd(kPa)"},
        {"Grid1_20_Flo_Zhuangceqsinupjs", "计算用qsinpu(kPa)"},
        {"Grid1_21_Flo_Zhuangceqsindownjs", "计算用qsinpd(kPa)"},
        {"Grid1_22_Flo_Zhuangqsinmax", "层qsinpmax"},
        {"Grid1_23_Flo_Zhuangqsinmaxweizhi", "qsinpmax位置(m)"},
        {"Grid1_24_Flo_Zhuangqsinpingjun", "层平均qsinpv"},
        {"Grid1_25_Flo_ZhuangFengchengQgin", "Qgin(kN)"},
        {"Grid1_26_Flo_ZhuangHejiQgin", "∑Qgin(kN)"},
        {"Grid1_27_Str_FengchengQginbilishu", "Qgin/Qgn"},
        {"Grid1_28_Pic_FengchengQginbilitu", "占比图例"},
        {"Grid1_29_Str_Yinglituxing", "负摩阻应力分布图形"},
        {"Grid1_30_Str_Beizhu", "备注"},
    }};
    return columns;
}

const std::array<GridColumn, kSideGridColumns>& sideGridColumns() {
    static const std::array<GridColumn, kSideGridColumns> columns{{
        {"grd1_01_Str_Tuchenghao", "土层"},
        {"grd1_02_Flo_Tuhoudu", "土厚li(m)"},
        {"grd1_03_Flo_Tuqsik", "qsik(kPa)"},
        {"grd1_04_Flo_Zhouchang", "周长μ(m)"},
        {"grd1_05_Flo_Qsik", "Qsik(kN)"},
        {"grd1_06_Flo_SegemaQsik", "∑Qsik(kN)"},
        {"grd1_07_Str_Qsikbilishu", "Qsik/Qsk"},
        {"grd1_08_Pic_Qsikbilitu", "占比图例"},
        {"grd1_09_Str_Beizhu", "备注"},
    }};
    return columns;
}

std::string ReferenceTable::noteText() const {
    std::string text;
    for (std::size_t i = 0; i < noteLines.size(); ++i) {
        if (i > 0) text += '\r';
        text += noteLines[i];
    }
    return text;
}

const ReferenceTable& negativeFrictionTable() {
    static const ReferenceTable table{
        "表5.4.3 桩侧负摩阻力系数 ξn",
        "参考数据",
        {},
        {
            {"土    类", "ξn"},
            {"饱和软土", "0.15～0.25"},
            {"粘性土、粉土", "0.25～0.40"},
            {"砂土", "0.35～0.50"},
            {"新近填土", "0.20～0.50"},
        },
        {
            "注：1 在同一类土中，对于挤土桩，取表中较大值，",
            "           对于非挤土桩，取表中较小值；",
            "        2 干作业成孔时，取表中较大值，",
            "           湿作业成孔时，取表中较小值；",
            "        3 新近碎块石填土，当块石空隙被粘性土充填时，",
            "           取表中较大值，当无充填时，取表中较小值。",
        },
    };
    return table;
}

const ReferenceTable& sideResistanceTable() {
    static const ReferenceTable table{
        "表5.3.6 桩的极限侧阻力标准值 qsik (kPa)",
        "",
        {"土的名称", "土的状态", "土的状态", "干作业钻孔桩", "泥浆护壁钻(冲)孔桩"},
        {
            {"粘性土", "流塑", "IL＞1", "21～38", "21～38"},
            {"", "软塑", "0.75＜IL≤1", "38～53", "38～53"},
            {"", "可塑", "0.50<IL≤0.75", "53～66", "53～68"},
            {"", "硬可塑", "0.25<IL≤0.50", "66～82", "68～84"},
            {"", "硬塑", "0＜IL≤0.25", "82～94", "84～96"},
            {"", "坚硬", "IL≤0", "94～104", "96～102"},
            {"红粘土", "－", "0.7＜aw≤1", "12～30", "12～30"},
            {"", "－", "0.5＜aw≤0.7", "30～70", "30～70"},
            {"粉土", "稍密", "e＞0.9", "24～42", "24～42"},
            {"", "中密", "0.75≤e≤0.9", "42～62", "42～62"},
            {"", "密实", "e＜0.75", "62～82", "62～82"},
            {"粉细砂", "稍密", "10＜N≤15", "22～46", "22～46"},
            {"", "中密", "15＜N≤30", "46～64", "46～64"},
            {"", "密实", "N＞30", "64～86", "64～86"},
            {"中砂", "中密", "15＜N≤30", "53～72", "53～72"},
            {"", "密实", "N＞30", "72～94", "72～94"},
            {"粗砂", "中密", "15＜N≤30", "76～98", "74～95"},
            {"", "密实", "N＞30", "98～120", "95～116"},
            {"砾砂", "稍密", "5＜N63.5≤15", "60～100", "50～90"},
            {"", "中密(密实)", "N63.5＞15", "112～130", "116～130"},
            {"圆砾、角砾", "中密、密实", "N63.5＞10", "135～150", "135～150"},
            {"碎石、卵石", "中密、密实", "N63.5＞10", "150～170", "140～170"},
            {"强风化软质岩", "－", "N63.5＞10", "140～220", "140～200"},
            {"强风化硬质岩", "－", "N63.5＞10", "160～260", "160～240"},
        },
        {
            "注：1 对于尚未完成自重固结的填土和以生活垃圾为主的",
            "           杂填土，不计算其侧阻力；",
            "        2 αw为含水比，αw=ω/ωl，ω为土的天然含水量，",
            "           ωl为土的液限；",
            "        3 N为标准贯入击数；N63.5为重型圆锥动力触探击数；",
            "        4 强风化软质岩和强风化硬质岩系指其母岩分别",
            "           为frk≤15MPa、frk＞30MPa的岩石。",
        },
    };
    return table;
}

}  // namespace pile
