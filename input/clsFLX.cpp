#include "clsFLX.h"

#include "platform/surface/PictureBox.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/TextBox.h"

struct clsFLX::Zustand {
    platform::FlexGrid* grid = nullptr;
    clsFLX* coupled = nullptr;
    std::unique_ptr<clsFLX> ownCoupled;
    platform::TextBox* txt = nullptr;
    platform::ComboBox* cbo = nullptr;
    platform::PictureBox* pic = nullptr;
    Liste lsb, lst1, lsttt, lstyp, lformat, la, lmin, lmax, lselek;
    std::optional<Liste> lst2;
    std::vector<QStringList> lcbo;
    Indexwert indexMin, indexMax;
    bool boh = true;
    std::int16_t det = -1;
    QString dete = QStringLiteral("mm");
    std::int16_t snr = 0, znr = 0;
};

clsFLX::clsFLX() : z_(std::make_unique<Zustand>()) {}
clsFLX::~clsFLX() = default;

platform::FlexGrid* clsFLX::EFLX() const {
    return z_->grid;
}
void clsFLX::setEFLX(platform::FlexGrid* grid) {
    z_->grid = grid;
}
clsFLX* clsFLX::EFLXK() {
    if (!z_->coupled) {
        z_->ownCoupled = std::make_unique<clsFLX>();
        z_->coupled = z_->ownCoupled.get();
    }
    return z_->coupled;
}
void clsFLX::setEFLXK(clsFLX* coupled) {
    z_->coupled = coupled;
}
platform::TextBox* clsFLX::ETXT() const {
    return z_->txt;
}
void clsFLX::setETXT(platform::TextBox* box) {
    z_->txt = box;
}
platform::ComboBox* clsFLX::ECBO() const {
    return z_->cbo;
}
void clsFLX::setECBO(platform::ComboBox* box) {
    z_->cbo = box;
}
platform::PictureBox* clsFLX::EPIC() const {
    return z_->pic;
}
void clsFLX::setEPIC(platform::PictureBox* picture) {
    z_->pic = picture;
}
const clsFLX::Liste& clsFLX::ELSB() const {
    return z_->lsb;
}
void clsFLX::setELSB(const Liste& v) {
    z_->lsb = v;
}
const clsFLX::Liste& clsFLX::ELST1() const {
    return z_->lst1;
}
void clsFLX::setELST1(const Liste& v) {
    z_->lst1 = v;
}
const std::optional<clsFLX::Liste>& clsFLX::ELST2() const {
    return z_->lst2;
}
void clsFLX::setELST2(const std::optional<Liste>& v) {
    z_->lst2 = v;
}
const clsFLX::Liste& clsFLX::ELSTTT() const {
    return z_->lsttt;
}
void clsFLX::setELSTTT(const Liste& v) {
    z_->lsttt = v;
}
const clsFLX::Liste& clsFLX::ELSTYP() const {
    return z_->lstyp;
}
void clsFLX::setELSTYP(const Liste& v) {
    z_->lstyp = v;
}
QStringList clsFLX::ELCBO(std::int16_t INDEX) const {
    return z_->lcbo.at(size_t(INDEX));
}
void clsFLX::setELCBO(std::int16_t INDEX, const QStringList& choices) {
    z_->lcbo.at(size_t(INDEX)) = choices;
}
const clsFLX::Liste& clsFLX::ELFORMAT() const {
    return z_->lformat;
}
void clsFLX::setELFORMAT(const Liste& v) {
    z_->lformat = v;
}
const clsFLX::Liste& clsFLX::ELA() const {
    return z_->la;
}
void clsFLX::setELA(const Liste& v) {
    z_->la = v;
}
const clsFLX::Liste& clsFLX::ELMIN() const {
    return z_->lmin;
}
void clsFLX::setELMIN(const Liste& v) {
    z_->lmin = v;
}
const clsFLX::Liste& clsFLX::ELMAX() const {
    return z_->lmax;
}
void clsFLX::setELMAX(const Liste& v) {
    z_->lmax = v;
}
const clsFLX::Indexwert& clsFLX::ELINDEXMIN() const {
    return z_->indexMin;
}
void clsFLX::setELINDEXMIN(const Indexwert& v) {
    z_->indexMin = v;
}
const clsFLX::Indexwert& clsFLX::ELINDEXMAX() const {
    return z_->indexMax;
}
void clsFLX::setELINDEXMAX(const Indexwert& v) {
    z_->indexMax = v;
}
const clsFLX::Liste& clsFLX::ELSELEK() const {
    return z_->lselek;
}
void clsFLX::setELSELEK(const Liste& v) {
    z_->lselek = v;
}
QString clsFLX::EMATRIX(std::int16_t SPALTENR, std::int16_t ZEILENR) {
    return z_->grid->TextMatrix(SPALTENR, ZEILENR);
}
void clsFLX::setEMATRIX(std::int16_t, std::int16_t, const Matrix&) {}
bool clsFLX::EBOH() const {
    return z_->boh;
}
void clsFLX::setEBOH(bool v) {
    z_->boh = v;
}
std::int16_t clsFLX::EDET() const {
    return z_->det;
}
void clsFLX::setEDET(std::int16_t v) {
    z_->det = v;
}
const QString& clsFLX::EDETE() const {
    return z_->dete;
}
void clsFLX::setEDETE(const QString& v) {
    z_->dete = v;
}
std::int16_t clsFLX::ESNR() const {
    return z_->snr;
}
std::int16_t clsFLX::EZNR() const {
    return z_->znr;
}
void clsFLX::NUMMERIEREN() {}
void clsFLX::SCHRIFTEINSTELLUNGEN(const QString&, std::int16_t, std::int16_t, std::int16_t, std::int16_t,
                                  long) {}
void clsFLX::AKTUALISIEREN() {}
void clsFLX::BESCHRIFTEN() {}
void clsFLX::BEARBEITEN(std::int16_t, float) {}
bool clsFLX::EINFUEGEN(std::int16_t) {
    return true;
}
void clsFLX::BLAETTERN() {}
bool clsFLX::ZEILEEINFUEGEN() {
    return true;
}
bool clsFLX::ZEILEENTFERNEN() {
    return true;
}
void clsFLX::TOOLTIP(float, float) {}
bool clsFLX::WERTPRUEFEN(QString&, float, float, std::int16_t, std::int16_t, const QString&) {
    return true;
}
void clsFLX::TEXT(float, float, const platform::Variant&, std::int16_t, std::int16_t) {}
float clsFLX::ZEITDIFFERENZ(const QString&, const QString&, const QString&, const QString&) {
    return 0;
}
