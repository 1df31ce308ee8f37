#include "mdiEINGABE.h"

mdiEINGABE::mdiEINGABE(QWidget* parent) : QWidget(parent), txtKEN(new platform::TextBox(this))
{
    setObjectName(QStringLiteral("mdiEINGABE"));
    txtKEN->setObjectName(QStringLiteral("txtKEN"));
}

mdiEINGABE::~mdiEINGABE() = default;

void mdiEINGABE::OEFFNEN(qint32 AKTID)
{
    (void)AKTID;
}

bool mdiEINGABE::OK(qint32 AKTID)
{
    (void)AKTID;
    return false;
}

bool mdiEINGABE::EINGABEPRUEFEN()
{
    return true;
}
