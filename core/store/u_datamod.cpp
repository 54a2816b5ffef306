#include "store/u_datamod.h"

namespace quorlin {

void Tdatamod::close()
{
    t_caipiao.close();
    t_con.close();
}

} // namespace quorlin
