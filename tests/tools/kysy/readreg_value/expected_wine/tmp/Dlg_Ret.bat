set Dlg_Ret1=Windows_NT
