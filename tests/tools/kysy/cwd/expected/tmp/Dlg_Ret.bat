set Dlg_Ret1=@WORK@

set Dlg_Ret2=@DRIVE@
