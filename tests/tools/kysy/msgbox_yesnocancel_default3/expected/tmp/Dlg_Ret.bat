set Dlg_Ret1=MB_CANCEL

set Dlg_Ret2=3
