#pragma once

class Tfrmmain;

/// 数据备份 and 数据恢复 of the data menu: copying the lottery database out to a file of the
/// user's choice and back in.
void installDatabaseCommands(Tfrmmain& frmmain);
