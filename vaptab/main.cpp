// vaptab: a steam-table program driven by commands on its standard input.
#include "vaptab/conversation.h"

#include <iostream>

int main()
{
    qrv::vaptab::Conversation conversation(std::cin, std::cout);
    conversation.run();
    return 0;
}
