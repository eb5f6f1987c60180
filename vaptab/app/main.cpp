// vaptab: a steam-table program driven by commands on its standard input.
#include "session.h"

#include <iostream>

int main()
{
    qrv::vaptab::Session session(std::cin, std::cout);
    session.run();
    return 0;
}
