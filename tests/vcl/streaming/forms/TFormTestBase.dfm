object TestBaseForm: TFormTestBase
  Caption = 'Base'
  OnCreate = ButtonClick
  object Panel1: TFormTestPanel
    Caption = 'Panel'
    Left = 8
    object Button1: TFormTestWidget
      Caption = 'OK'
      OnClick = ButtonClick
    end
  end
end
