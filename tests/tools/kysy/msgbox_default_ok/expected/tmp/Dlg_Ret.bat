set Dlg_Ret1=MB_OK

set Dlg_Ret2=1
