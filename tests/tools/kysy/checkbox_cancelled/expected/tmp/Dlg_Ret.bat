set Dlg_Ret1=0
set Dlg_Ret2=0
set Dlg_Ret3=0
set Dlg_Ret4=0
set Dlg_Ret5=0
