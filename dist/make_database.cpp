// quorlin-makedb: prepares a program directory: its side folders and, unless one is already
// there, the database 数据库/彩票数据.mdb holding the shipped lottery and, when given, its history.
#include "makedb_command.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    return quorlin::makedb::run(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
